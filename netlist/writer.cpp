#include "netlist/writer.h"

#include <wx/buffer.h>
#include <wx/stream.h>
#include <wx/strconv.h>
#include <wx/wfstream.h>

namespace
{
const size_t BUFFER_SIZE = 64 * 1024;
}

kqNetListWriter::kqNetListWriter() : m_out(nullptr) {}

kqNetListWriter::~kqNetListWriter()
{
    delete m_out;
}

bool kqNetListWriter::Write(const wxString& path, const kqNetList& list)
{
    // The stream logs the reason through the toolkit's error log.
    wxFileOutputStream file(path);
    if (!file.IsOk())
        return false;
    // The file stream writes straight through; buffer it so that the many
    // small pieces of a netlist reach the file in large blocks.
    wxBufferedOutputStream buffered(file, BUFFER_SIZE);
    // One character per byte, and "\n" as a single LF.
    m_out = new wxTextOutputStream(buffered, wxEOL_UNIX, wxConvISO8859_1);

    BeginOfList();
    for (const kqNetList::Net& net : list.m_nets)
    {
        BeginOfNet(net.m_name);
        for (const kqNetList::Net::Node& node : net.m_nodes)
            OnNode(node.m_text);
        EndOfNet();
    }
    EndOfList();

    delete m_out;
    m_out = nullptr;
    const bool flushed = buffered.Close();
    return flushed && buffered.IsOk() && file.Close();
}
