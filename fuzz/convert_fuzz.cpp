// Reads any bytes with one format and writes the netlist with every
// format: each written file must be whole, with its format's header and
// trailer, and reading it back must hold up.
#include "fuzzutil.h"

#include "netlist/converter.h"

#include <cstdlib>

namespace
{
struct Frame
{
    const char* head;
    const char* tail;
};
// What each writer opens and closes every file with, by format id.
const Frame FRAMES[] = {
    {"$NETS\n", "$END\n"},
    {"*PADS*\n\n*NET*\n\n", "*END*\n"},
    {"$CCF {\n DEFINITION {\n }\n NET {\n", " }\n}\n"},
};

bool StartsWith(const std::string& text, const std::string& head)
{
    return text.compare(0, head.size(), head) == 0;
}

bool EndsWith(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}
}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzutil::Initialize();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const uint32_t inMode = data[0] % 3;
    const std::string in = fuzzutil::ScratchPath("in");
    const std::string out = fuzzutil::ScratchPath("out");
    fuzzutil::WriteFile(in, data + 1, size - 1);
    for (uint32_t outMode = 0; outMode < 3; ++outMode)
    {
        if (!kqNetConverter::Execute(in, inMode, out, outMode))
            std::abort();
        const std::string written = fuzzutil::ReadFile(out);
        const Frame& frame = FRAMES[outMode];
        if (!StartsWith(written, frame.head) || !EndsWith(written, frame.tail))
            std::abort();
        fuzzutil::ReadAs(outMode, out);
    }
    return 0;
}
