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
// Wide literals: a narrow one is converted through the C library's locale
// on every use.
const wxString SIG = wxS("*SIG");
const wxString SIGNAL = wxS("*SIGNAL*");
const wxString SIG_LINE = wxS("*SIG ");
const wxString NET_END = wxS("\n\n");
const wxString LINE_END = wxS("\n");
const wxString NODE_SEPARATOR = wxS("\t");

bool IsBlank(wxUniChar c)
{
    return c == wxS(' ') || c == wxS('\t') || c == wxS('\r') || c == wxS('\n');
}

// Cuts a line into words the way wxStringTokenizer does with the delimiters
// " \t\r\n" in its default mode: each maximal run of other characters is one
// word, and blanks never make an empty word. The toolkit's tokenizer made
// reading a large file several times slower than reading its lines.
class WordCutter
{
public:
    explicit WordCutter(const wxString& line) : m_pos(line.begin()), m_end(line.end()) {}

    // Puts the next word into `word`, reusing its storage; false, with `word`
    // emptied, when the line holds no further word.
    bool Next(wxString& word)
    {
        while (m_pos != m_end && IsBlank(*m_pos))
            ++m_pos;
        const wxString::const_iterator start = m_pos;
        while (m_pos != m_end && !IsBlank(*m_pos))
            ++m_pos;
        word.assign(start, m_pos);
        return start != m_pos;
    }

private:
    wxString::const_iterator m_pos;
    const wxString::const_iterator m_end;
};

bool IsKeyword(const wxString& word)
{
    return !word.empty() && word[0] == wxS('*');
}

bool OpensNet(const wxString& keyword)
{
    return keyword == SIG || keyword == SIGNAL;
}
}

void kqNetPadsReader::ParseLine(const wxString& line)
{
    WordCutter words(line);
    wxString word;
    if (!words.Next(word))
        return;

    if (IsKeyword(word))
    {
        EndOfNet();
        if (OpensNet(word))
        {
            words.Next(word);
            BeginOfNet(word);
        }
        return;
    }
    if (!m_net)
        return;
    do
        OnNode(word);
    while (words.Next(word));
}

void kqNetPadsWriter::BeginOfList()
{
    *m_out << wxS("*PADS*") << endl << endl << wxS("*NET*") << endl << endl;
}

void kqNetPadsWriter::BeginOfNet(const wxString& name)
{
    m_block.clear();
    m_block += SIG_LINE;
    m_block += name;
    m_block += wxS('\n');
    m_count = 0;
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
    // The last node line is ended here, not by OnNode.
    m_block += NET_END;
    *m_out << m_block;
}

void kqNetPadsWriter::EndOfList()
{
    *m_out << wxS("*END*") << endl;
}
