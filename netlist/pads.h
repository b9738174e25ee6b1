// The PADS netlist text: a line whose first word is "*SIG" or "*SIGNAL*"
// opens a net named after its second word, the lines after it list the
// net's nodes, and the next line whose first word begins with "*" closes it.
// The grammar is at the top of pads.cpp.
#ifndef WIRELACE_NETLIST_PADS_H
#define WIRELACE_NETLIST_PADS_H

#include "netlist/reader.h"
#include "netlist/writer.h"

#include <cstdint>

class kqNetPadsReader : public kqNetListReader
{
public:
    void ParseLine(const wxString& line) override;

private:
    wxDECLARE_DYNAMIC_CLASS(kqNetPadsReader);
};

class kqNetPadsWriter : public kqNetListWriter
{
public:
    // The most nodes written on one node line.
    static const uint32_t NODE_OF_LINE = 5;

    void BeginOfList() override;
    void BeginOfNet(const wxString& name) override;
    void OnNode(const wxString& node) override;
    void EndOfNet() override;
    void EndOfList() override;

private:
    // Nodes already written on the current node line; BeginOfNet resets it.
    uint32_t m_count = 0;
    // The text of the net being written. It goes to the stream whole at
    // EndOfNet, in one call through the toolkit's stream rather than one
    // per name, node, tab and line end.
    wxString m_block;

    wxDECLARE_DYNAMIC_CLASS(kqNetPadsWriter);
};

#endif
