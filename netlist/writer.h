// Drives the writing of one netlist file: walks the nets and nodes in list
// order and calls the hooks, which a concrete writer overrides to write its
// format's text to m_out. Every line break reaches the file as one LF.
#ifndef WIRELACE_NETLIST_WRITER_H
#define WIRELACE_NETLIST_WRITER_H

#include "netlist/netlist.h"

#include <wx/object.h>
#include <wx/txtstrm.h>

class kqNetListWriter : public wxObject
{
public:
    kqNetListWriter();
    ~kqNetListWriter() override;

    kqNetListWriter(const kqNetListWriter&) = delete;
    kqNetListWriter& operator=(const kqNetListWriter&) = delete;

    // Writes `list` to the file at `path`, replacing what it held. False,
    // with no hook run and nothing written, when the file cannot be
    // created; false too when writing it fails part way.
    bool Write(const wxString& path, const kqNetList& list);

    virtual void BeginOfList() {}
    virtual void BeginOfNet(const wxString& /*name*/) {}
    virtual void OnNode(const wxString& /*node*/) {}
    virtual void EndOfNet() {}
    virtual void EndOfList() {}

protected:
    // The stream the hooks write to; set only while Write runs.
    wxTextOutputStream* m_out;
};

#endif
