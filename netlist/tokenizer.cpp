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
    m_isKeywordByte.reset();
    for (wxUniChar c : m_keywords)
        if (c.GetValue() < m_isKeywordByte.size())
            m_isKeywordByte.set(c.GetValue());
}

bool kqNetListTokenizer::IsKeyword(wchar_t c) const
{
    const auto value = static_cast<wxUniChar::value_type>(c);
    if (value < m_isKeywordByte.size())
        return m_isKeywordByte.test(value);
    return m_keywords.find(c) != wxString::npos;
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
        wxString word = wxStringTokenizer::GetNextToken();
        // Most words hold no keyword character and are a token as they are.
        if (FindKeyword(word, 0) == word.length())
            return word;
        m_word.swap(word);
        m_pos = 0;
    }
    const wchar_t* word = m_word.wc_str();
    const size_t start = m_pos;
    if (IsKeyword(word[m_pos]))
        m_pos += 1;
    else
        m_pos = FindKeyword(m_word, m_pos);
    return wxString(word + start, m_pos - start);
}

size_t kqNetListTokenizer::FindKeyword(const wxString& word, size_t from) const
{
    const wchar_t* characters = word.wc_str();
    const size_t length = word.length();
    while (from < length && !IsKeyword(characters[from]))
        ++from;
    return from;
}
