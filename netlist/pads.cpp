// PADS netlist, as read and written here.
//
// A line is cut into words at spaces, tabs, CRs and LFs; blanks before,
// between and after words do not matter, and a line without words is empty.
//
//   1. A line whose first word begins with "*" is a keyword line. It closes
//      the open net, whatever the keyword.
//   2. A keyword line whose first word is exactly "*SIG" or exactly
//      "*SIGNAL*" then opens a net named after its second word ("" when
//      there is none); further words are ignored. Keywords are matched
//      byte for byte: "*sig", "*Signal*" and "*SIG*" open nothing.
//   3. Any other line, while a net is open, is a node line: each of its
//      words is one node of the open net, in order. An empty line leaves
//      the net open.
//   4. Any other line while no net is open is ignored (headers, "*PART*"
//      sections and the like).
//   5. The end of the file closes the open net.
//
// Written:
//
//   *PADS*
//   <empty line>
//   *NET*
//   <empty line>
//   *SIG <name>            then, for each net in list order, its name,
//   <node>\t<node>...      its nodes, five a line, tab-separated (a net
//                          without nodes gets one empty line instead),
//   <empty line>           and an empty line
//   *END*
//
// A file written here reads back to the same nets as long as names and
// nodes hold no blanks, no node is empty, and no node that starts a node
// line begins with "*".
#include "netlist/pads.h"

wxIMPLEMENT_DYNAMIC_CLASS(kqNetPadsReader, wxObject);
wxIMPLEMENT_DYNAMIC_CLASS(kqNetPadsWriter, wxObject);

namespace
{
const wxString SIG = "*SIG";
const wxString SIGNAL = "*SIGNAL*";
// Written pieces, kept as strings so that no text is converted per call.
const wxString LIST_BEGIN = "*PADS*\n\n*NET*\n\n";
const wxString NET_BEGIN = "*SIG ";
const wxString LINE_END = "\n";
const wxString NODE_SEPARATOR = "\t";
// The last node line ends here, and one empty line follows.
const wxString NET_END = "\n\n";
const wxString LIST_END = "*END*\n";

bool IsKeyword(const wxString& word)
{
    return !word.empty() && word[0] == '*';
}

bool OpensNet(const wxString& keyword)
{
    return keyword == SIG || keyword == SIGNAL;
}
}

void kqNetPadsReader::ParseLine(const wxString& line)
{
    size_t pos = 0;
    wxString word;
    if (!kqNetListTokenizer::NextWord(line, pos, word))
        return;

    if (IsKeyword(word))
    {
        EndOfNet();
        if (OpensNet(word))
        {
            kqNetListTokenizer::NextWord(line, pos, word);
            BeginOfNet(word);
        }
        return;
    }
    if (!m_net)
        return;
    do
        OnNode(word);
    while (kqNetListTokenizer::NextWord(line, pos, word));
}

void kqNetPadsWriter::BeginOfList()
{
    *m_out << LIST_BEGIN;
}

void kqNetPadsWriter::BeginOfNet(const wxString& name)
{
    m_count = 0;
    m_block = NET_BEGIN;
    m_block += name;
    m_block += LINE_END;
}

void kqNetPadsWriter::OnNode(const wxString& node)
{
    // A full line just ends: every line that does not begin with "*" adds
    // its words to the open net.
    m_block += NodePrefix(m_count, NODE_OF_LINE, LINE_END, NODE_SEPARATOR);
    m_block += node;
}

void kqNetPadsWriter::EndOfNet()
{
    m_block += NET_END;
    *m_out << m_block;
}

void kqNetPadsWriter::EndOfList()
{
    *m_out << LIST_END;
}
