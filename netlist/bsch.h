// The "BSch/Allegro" netlist format.
//
// Text read:
//   1. Everything before the first token "$NETS" is ignored.
//   2. A net is its name, ";", then its nodes, separated by blanks and/or
//      "," tokens:  "GND ; U1.7 C3.2"  or  "GND;U1.7,C3.2".
//   3. A line end closes the net, unless the line's last token is ",": the
//      net then goes on in the next line that holds tokens.
//   4. "$END" ends the section; tokens after it are ignored until a further
//      "$NETS". A net open at "$END" stays open until the next line end
//      inside the section, the next ";" or the end of the file.
//   Tokens are whole: "U1.7" is one node. ";" and "," are tokens of their
//   own wherever they stand; case matters ("$end" is a plain token).
//
// Text written:
//   "$NETS\n", then per net "name;\t" and its nodes separated by " ", at most
//   five on a line; a full line ends with " ,\n\t" and the next node follows.
//   Then "$END\n".
//     $NETS
//     X;	N1 N2 N3 N4 N5 ,
//     	N6 N7
//     $END
#ifndef WIRELACE_NETLIST_BSCH_H
#define WIRELACE_NETLIST_BSCH_H

#include "netlist/reader.h"
#include "netlist/writer.h"

#include <cstdint>

class kqNetBschReader : public kqNetListReader
{
public:
    kqNetBschReader();

    void OnToken(const wxString& token) override;
    void OnTermLine() override;

private:
    // 1 between "$NETS" and "$END", else 0.
    uint32_t m_inNets;

    wxDECLARE_DYNAMIC_CLASS(kqNetBschReader);
};

class kqNetBschWriter : public kqNetListWriter
{
public:
    static const uint32_t NODE_OF_LINE = 5;

    void BeginOfList() override;
    void BeginOfNet(const wxString& name) override;
    void OnNode(const wxString& node) override;
    void EndOfNet() override;
    void EndOfList() override;

private:
    // Nodes written so far on the current line; BeginOfNet resets it.
    uint32_t m_count = 0;

    wxDECLARE_DYNAMIC_CLASS(kqNetBschWriter);
};

#endif
