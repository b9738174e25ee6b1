#include "netlist/bsch.h"

namespace
{
const wxString SECTION_BEGIN = "$NETS";
const wxString SECTION_END = "$END";
const wxString NAME_END = ";";
const wxString CONTINUATION = ",";
// Written pieces, kept as strings so that no text is converted per call.
const wxString LINE_END = "\n";
const wxString NAME_SEPARATOR = ";\t";
const wxString NODE_SEPARATOR = " ";
const wxString LINE_BREAK = " ,\n\t";
}

wxIMPLEMENT_DYNAMIC_CLASS(kqNetBschReader, wxObject);
wxIMPLEMENT_DYNAMIC_CLASS(kqNetBschWriter, wxObject);

kqNetBschReader::kqNetBschReader() : m_inNets(0)
{
    m_tokenizer.SetKeywords(NAME_END + CONTINUATION);
}

void kqNetBschReader::OnToken(const wxString& token)
{
    if (token == SECTION_BEGIN)
        m_inNets = 1;
    else if (token == SECTION_END)
        m_inNets = 0; // an open net stays open
    else if (!m_inNets)
        return;
    else if (token == NAME_END)
        BeginOfNet(m_lastToken); // the name came just before the ";"
    else if (token != CONTINUATION)
        // The name token itself arrives here first, while no net is open,
        // and is dropped.
        OnNode(token);
}

void kqNetBschReader::OnTermLine()
{
    // A line that ends in "," goes on in the next one; m_lastToken survives
    // empty lines, so they do not break the net either.
    if (m_inNets && m_lastToken != CONTINUATION)
        EndOfNet();
}

void kqNetBschWriter::BeginOfList()
{
    *m_out << SECTION_BEGIN << LINE_END;
}

void kqNetBschWriter::BeginOfNet(const wxString& name)
{
    m_count = 0;
    *m_out << name << NAME_SEPARATOR;
}

void kqNetBschWriter::OnNode(const wxString& node)
{
    // A full line ends in " ,", which keeps the net open for the reader.
    *m_out << NodePrefix(m_count, NODE_OF_LINE, LINE_BREAK, NODE_SEPARATOR) << node;
}

void kqNetBschWriter::EndOfNet()
{
    *m_out << LINE_END;
}

void kqNetBschWriter::EndOfList()
{
    *m_out << SECTION_END << LINE_END;
}
