#include "netlist/converter.h"

#include "netlist/mode.h"
#include "netlist/netlist.h"
#include "netlist/reader.h"
#include "netlist/writer.h"

#include <memory>

bool kqNetConverter::Execute(const wxString& inPath, uint32_t inMode, const wxString& outPath,
                             uint32_t outMode)
{
    kqNetList list;
    {
        std::unique_ptr<kqNetListReader> reader(kqNetMode::GetReader(inMode));
        if (!reader)
            return false;
        // An unreadable input must not overwrite the target with an empty
        // netlist.
        if (!reader->Read(inPath, list))
            return false;
    }
    // The whole input is read and its reader gone before the output is
    // opened, so converting a file onto its own path is safe.
    std::unique_ptr<kqNetListWriter> writer(kqNetMode::GetWriter(outMode));
    if (!writer)
        return false;
    return writer->Write(outPath, list);
}
