// Converts a netlist file from one format into another, keeping file order.
#ifndef WIRELACE_NETLIST_CONVERTER_H
#define WIRELACE_NETLIST_CONVERTER_H

#include <wx/string.h>

#include <cstdint>

class kqNetConverter
{
public:
    kqNetConverter() = delete;

    // Reads `inPath` with format `inMode` and writes it to `outPath` with
    // format `outMode`, unsorted. False when either format id has no row,
    // when the input cannot be read (the output is then left alone), or
    // when the output cannot be written.
    static bool Execute(const wxString& inPath, uint32_t inMode, const wxString& outPath,
                        uint32_t outMode);
};

#endif
