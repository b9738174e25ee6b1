// Drives the reading of one netlist file: cuts it into lines and hands each
// to ParseLine, whose default cuts the line into tokens for OnToken and ends
// it with OnTermLine. A concrete reader overrides those hooks and builds the
// netlist through BeginOfNet, OnNode and EndOfNet.
#ifndef WIRELACE_NETLIST_READER_H
#define WIRELACE_NETLIST_READER_H

#include "netlist/netlist.h"
#include "netlist/tokenizer.h"

#include <wx/object.h>

class kqNetListReader : public wxObject
{
public:
    kqNetListReader();
    ~kqNetListReader() override;

    kqNetListReader(const kqNetListReader&) = delete;
    kqNetListReader& operator=(const kqNetListReader&) = delete;

    // Appends the nets of the file at `path` to `list`. False when the file
    // cannot be opened or a read fails; whatever was read up to a failed
    // read is kept, and nothing is added when the file cannot be opened.
    bool Read(const wxString& path, kqNetList& list);

    virtual void Init() {}
    virtual void ParseLine(const wxString& line);
    // Closes the open net, then opens one named `name`.
    virtual void BeginOfNet(const wxString& name);
    // Appends the open net, if any, to the netlist and closes it.
    virtual void EndOfNet();
    // Appends a node to the open net; dropped when no net is open.
    virtual void OnNode(const wxString& text);
    virtual void OnToken(const wxString& /*token*/) {}
    virtual void OnTermLine() {}

protected:
    kqNetListTokenizer m_tokenizer;
    // The token most recently handed to OnToken; kept across lines.
    wxString m_lastToken;
    kqNetList* m_list;
    kqNetList::Net* m_net;
};

#endif
