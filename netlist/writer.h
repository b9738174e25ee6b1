// Drives the writing of one netlist file: walks the nets and nodes in list
// order and calls the hooks, which a concrete writer overrides to write its
// format's text to m_out. Every line break reaches the file as one LF.
#ifndef WIRELACE_NETLIST_WRITER_H
#define WIRELACE_NETLIST_WRITER_H

#include "netlist/netlist.h"

#include <wx/object.h>
#include <wx/string.h>
#include <wx/txtstrm.h>

#include <cstdint>

class kqNetListWriter : public wxObject
{
public:
    kqNetListWriter();
    ~kqNetListWriter() override;

    kqNetListWriter(const kqNetListWriter&) = delete;
    kqNetListWriter& operator=(const kqNetListWriter&) = delete;

    // Writes `list` to the file at `path`, replacing what it held. False,
    // with no hook run and nothing written, when the file cannot be
    // created; false too when any part of the text does not reach the file,
    // which then holds only what did (kqNetConverter keeps a target whole).
    bool Write(const wxString& path, const kqNetList& list);
    // The same into a stream that is open already; the caller closes it.
    bool Write(wxOutputStream& output, const kqNetList& list);

    virtual void BeginOfList() {}
    virtual void BeginOfNet(const wxString& /*name*/) {}
    virtual void OnNode(const wxString& /*node*/) {}
    virtual void EndOfNet() {}
    virtual void EndOfList() {}

protected:
    // What a writer that puts at most `limit` nodes on a line writes before
    // the next node, `count` being the nodes already on the line (which it
    // updates): `lineBreak` when the line is full, else `separator`, or
    // nothing before a line's first node.
    static const wxString& NodePrefix(uint32_t& count, uint32_t limit, const wxString& lineBreak,
                                      const wxString& separator)
    {
        static const wxString nothing;
        if (count >= limit)
        {
            count = 1;
            return lineBreak;
        }
        return count++ == 0 ? nothing : separator;
    }

    // The stream the hooks write to; set only while Write runs.
    wxTextOutputStream* m_out;
};

#endif
