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
//
//   *NET*
//
//   *SIG <name>              one block per net, in list order
//   <node>\t<node>...        at most five nodes a line, tab-separated
//                            (no line at all for a net without nodes)
//
//   *END*
//
// A file written here reads back to the same nets as long as names and
// nodes hold no blanks, no node is empty, and no node that starts a node
// line begins with "*".
#include "netlist/pads.h"

#include <wx/tokenzr.h>

wxIMPLEMENT_DYNAMIC_CLASS(kqNetPadsReader, wxObject);
wxIMPLEMENT_DYNAMIC_CLASS(kqNetPadsWriter, wxObject);

namespace
{
const wxString WORD_DELIMITERS = " \t\r\n";

bool OpensNet(const wxString& keyword)
{
    return keyword == "*SIG" || keyword == "*SIGNAL*";
}
}

void kqNetPadsReader::ParseLine(const wxString& line)
{
    // The delimiters are all blanks, so the tokenizer never yields an empty
    // word and gives "" once the line is used up.
    wxStringTokenizer words(line, WORD_DELIMITERS);
    const wxString first = words.GetNextToken();

    if (first.StartsWith("*"))
    {
        EndOfNet();
        if (OpensNet(first))
            BeginOfNet(words.GetNextToken());
        return;
    }
    if (!m_net)
        return;
    for (wxString word = first; !word.empty(); word = words.GetNextToken())
        OnNode(word);
}

void kqNetPadsWriter::BeginOfList()
{
    *m_out << "*PADS*" << endl << endl << "*NET*" << endl << endl;
}

void kqNetPadsWriter::BeginOfNet(const wxString& name)
{
    *m_out << "*SIG " << name << endl;
    m_count = 0;
}

void kqNetPadsWriter::OnNode(const wxString& node)
{
    // A full line is ended only when a further node comes, so the last node
    // line of a net is ended by EndOfNet.
    if (m_count >= NODE_OF_LINE)
    {
        m_count = 0;
        *m_out << endl;
    }
    if (m_count != 0)
        *m_out << "\t";
    *m_out << node;
    ++m_count;
}

void kqNetPadsWriter::EndOfNet()
{
    *m_out << endl << endl;
}

void kqNetPadsWriter::EndOfList()
{
    *m_out << "*END*" << endl;
}
