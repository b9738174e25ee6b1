// The "ZukenECF" netlist format: nets in NET, POWER or GROUND blocks, each
// written "name: part(pin), part(pin);". See ecf.cpp for the exact text.
#ifndef WIRELACE_NETLIST_ECF_H
#define WIRELACE_NETLIST_ECF_H

#include "netlist/reader.h"
#include "netlist/writer.h"

#include <cstdint>

class kqNetECFReader : public kqNetListReader
{
    wxDECLARE_DYNAMIC_CLASS(kqNetECFReader);

public:
    kqNetECFReader();

    void OnToken(const wxString& token) override;

private:
    // 1 between the "{" of a NET, POWER or GROUND block and the next "}".
    uint32_t m_inNet;
    // The node being converted; kept to reuse its buffer.
    wxString m_node;
};

class kqNetECFWriter : public kqNetListWriter
{
    wxDECLARE_DYNAMIC_CLASS(kqNetECFWriter);

public:
    // The most nodes written on one line.
    static const uint32_t NODE_OF_LINE = 7;

    void BeginOfList() override;
    void BeginOfNet(const wxString& name) override;
    void OnNode(const wxString& node) override;
    void EndOfNet() override;
    void EndOfList() override;

private:
    // Nodes already written on the current line; BeginOfNet resets it.
    uint32_t m_count = 0;
    // The node being converted; kept to reuse its buffer.
    wxString m_node;
};

#endif
