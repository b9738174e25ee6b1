// ZukenECF netlists.
//
// Text read. Lines are cut into tokens at blanks (space, tab, CR, LF) and at
// each of the characters "{}:;,", which are tokens of their own; line breaks
// mean nothing else.
//   1. A block opens at a "{" whose previous token is exactly "NET", "POWER"
//      or "GROUND" (possibly on an earlier line), and ends at the next "}",
//      whatever it closes: braces are not counted.
//   2. Outside such a block every token is ignored: the "$CCF" header, the
//      DEFINITION block and any other block.
//   3. Inside one, "name :" opens a net (closing any net still open), ";"
//      closes the open net, "," is ignored, and any other token is a node of
//      the open net, dropped when none is open. A net left open at "}" stays
//      open.
//   4. A node stands as part(pin): "(" is read as ".", ")" as a blank, and
//      trailing blanks are dropped, so "U1(7)" is the node "U1.7". Net names
//      are taken as they stand.
//   5. The name is the token before the ":", whatever it is: a net written
//      without a name reads back named "{" (the first) or ";".
//
// Text written:
//   $CCF {
//    DEFINITION {
//    }
//    NET {
//   <tab>GND: U1(7), C3(2);
//   <tab>CLK: U1(1), U2(1), U3(1), U4(1), U5(1), U6(1), U7(1),
//   <tab><tab>U8(1);
//    }
//   }
// one net a line, at most seven nodes a line; every "." of a node is written
// "(" and one ")" is appended, so a node without "." reads back unchanged.
#include "netlist/ecf.h"

namespace
{
const wxString KEYWORDS = "{}:;,";
// What a node may end with in the file and is not part of it.
const wxString TRAILING_BLANKS = " \t\n\v\f\r";
// Written pieces, kept as strings so that no text is converted per call.
const wxString LIST_BEGIN = "$CCF {\n DEFINITION {\n }\n NET {\n";
const wxString NET_BEGIN = "\t";
const wxString NAME_END = ": ";
const wxString NODE_SEPARATOR = ", ";
// A full line ends in "," and the next goes on two tabs in.
const wxString LINE_BREAK = ",\n\t\t";
const wxString NET_END = ";\n";
const wxString LIST_END = " }\n}\n";

// The keyword character that makes up the whole token, or 0.
wxUniChar KeywordOf(const wxString& token)
{
    if (token.length() != 1 || KEYWORDS.find(token[0]) == wxString::npos)
        return wxUniChar(0);
    return token[0];
}

bool OpensNetBlock(const wxString& token)
{
    return token == "NET" || token == "POWER" || token == "GROUND";
}

// The node that `token` stands for, into `node`: each "(" as ".", each ")"
// as a blank, and no blanks at the end.
void NodeFromFile(const wxString& token, wxString& node)
{
    node = token;
    const wxStringCharType* c = token.wx_str();
    for (size_t at = 0; at < token.length(); ++at)
    {
        if (c[at] == '(')
            node[at] = '.';
        else if (c[at] == ')')
            node[at] = ' ';
    }
    const size_t last = node.find_last_not_of(TRAILING_BLANKS);
    node.erase(last == wxString::npos ? 0 : last + 1);
}

// The text that `node` is written as, into `text`: each "." as "(", and
// one ")" appended.
void NodeToFile(const wxString& node, wxString& text)
{
    text = node;
    for (size_t dot = text.find('.'); dot != wxString::npos; dot = text.find('.', dot + 1))
        text[dot] = '(';
    text += ')';
}
}

wxIMPLEMENT_DYNAMIC_CLASS(kqNetECFReader, wxObject)

kqNetECFReader::kqNetECFReader() : m_inNet(0)
{
    m_tokenizer.SetKeywords(KEYWORDS);
}

void kqNetECFReader::OnToken(const wxString& token)
{
    const wxUniChar keyword = KeywordOf(token);
    if (keyword == '{')
    {
        if (OpensNetBlock(m_lastToken))
            m_inNet = 1;
        return;
    }
    if (keyword == '}')
    {
        m_inNet = 0;
        return;
    }
    if (!m_inNet)
        return;

    if (keyword == ':')
        // The net is named after whatever came before the ":"; a net written
        // without a name thus reads back named "{" or ";".
        BeginOfNet(m_lastToken);
    else if (keyword == ';')
        EndOfNet();
    else if (keyword != ',')
    {
        NodeFromFile(token, m_node);
        OnNode(m_node);
    }
}

wxIMPLEMENT_DYNAMIC_CLASS(kqNetECFWriter, wxObject)

void kqNetECFWriter::BeginOfList()
{
    *m_out << LIST_BEGIN;
}

void kqNetECFWriter::BeginOfNet(const wxString& name)
{
    *m_out << NET_BEGIN << name << NAME_END;
    m_count = 0;
}

void kqNetECFWriter::OnNode(const wxString& node)
{
    NodeToFile(node, m_node);
    *m_out << NodePrefix(m_count, NODE_OF_LINE, LINE_BREAK, NODE_SEPARATOR) << m_node;
}

void kqNetECFWriter::EndOfNet()
{
    *m_out << NET_END;
}

void kqNetECFWriter::EndOfList()
{
    *m_out << LIST_END;
}
