#include "netlist/tokenizer.h"

namespace
{
const wxString WORD_DELIMITERS = " \t\r\n";
}

kqNetListTokenizer::kqNetListTokenizer() : m_pos(0)
{
    // A tokenizer that never saw a line holds the empty one; the toolkit's
    // default state would assert on the first HasMoreTokens.
    wxStringTokenizer::SetString(wxString(), WORD_DELIMITERS, wxTOKEN_DEFAULT);
}

void kqNetListTokenizer::SetKeywords(const wxString& keywords)
{
    m_keywords = keywords;
}

void kqNetListTokenizer::SetString(const wxString& line)
{
    wxStringTokenizer::SetString(line, WORD_DELIMITERS, wxTOKEN_DEFAULT);
    m_word.clear();
    m_pos = 0;
}

bool kqNetListTokenizer::HasMoreTokens() const
{
    return m_pos < m_word.length() || wxStringTokenizer::HasMoreTokens();
}

wxString kqNetListTokenizer::GetNextToken()
{
    if (m_pos >= m_word.length())
    {
        m_word = wxStringTokenizer::GetNextToken();
        m_pos = 0;
    }
    const size_t length = m_word.length();
    if (m_pos >= length)
        return wxString();

    const size_t start = m_pos;
    if (IsKeyword(m_word[m_pos++]))
        return m_word.substr(start, 1);
    while (m_pos < length && !IsKeyword(m_word[m_pos]))
        ++m_pos;
    return m_word.substr(start, m_pos - start);
}
