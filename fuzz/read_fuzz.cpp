// Any bytes read with one format give some netlist: no crash, no hang, no
// leak. Sorting and pairing the result with itself must hold up as well.
#include "fuzzutil.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzutil::Initialize();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path = fuzzutil::ScratchPath("in");
    fuzzutil::WriteFile(path, data, size);
    kqNetList first = fuzzutil::ReadAs(FUZZ_FORMAT, path);
    kqNetList second = first;
    first.Sort();
    second.Sort();
    for (kqNetList::Net& net : first.m_nets)
    {
        kqNetList::PICKUP_STATUS status;
        second.Pickup(&net, status);
    }
    return 0;
}
