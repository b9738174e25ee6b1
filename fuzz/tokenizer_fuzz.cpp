// The tokenizer on any line with any keyword set: tokens are never empty
// while more are announced, never hold a blank, and a keyword character
// only ever stands alone.
#include "fuzzutil.h"

#include "netlist/bytes.h"
#include "netlist/tokenizer.h"

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzutil::Initialize();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The first byte says how many of the following bytes are keywords.
    const size_t keywordCount = size ? data[0] % 8 : 0;
    if (size < 1 + keywordCount)
        return 0;
    const char* bytes = reinterpret_cast<const char*>(data);
    const wxString keywords = kqBytesToString(bytes + 1, keywordCount);
    const wxString line = kqBytesToString(bytes + 1 + keywordCount, size - 1 - keywordCount);

    kqNetListTokenizer tokenizer;
    tokenizer.SetKeywords(keywords);
    tokenizer.SetString(line);
    size_t characters = 0;
    while (tokenizer.HasMoreTokens())
    {
        const wxString token = tokenizer.GetNextToken();
        if (token.empty() || token.find_first_of(" \t\r\n") != wxString::npos)
            std::abort();
        if (token.length() > 1 && token.find_first_of(keywords) != wxString::npos)
            std::abort();
        characters += token.length();
    }
    if (characters > line.length() || !tokenizer.GetNextToken().empty())
        std::abort();
    return 0;
}
