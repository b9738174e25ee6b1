#include "netlist/tokenizer.h"

kqNetListTokenizer::kqNetListTokenizer() : m_pos(0)
{
    // The toolkit's part holds the empty line, so that its own operations
    // stay usable; this class never calls them.
    wxStringTokenizer::SetString(wxString(), " \t\r\n", wxTOKEN_DEFAULT);
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
    m_line = line;
    m_pos = 0;
}

size_t kqNetListTokenizer::SkipBlanks(size_t from) const
{
    const wchar_t* characters = m_line.wc_str();
    const size_t length = m_line.length();
    while (from < length && IsBlank(characters[from]))
        ++from;
    return from;
}

bool kqNetListTokenizer::HasMoreTokens() const
{
    return SkipBlanks(m_pos) < m_line.length();
}

wxString kqNetListTokenizer::GetNextToken()
{
    wxString token;
    GetNextToken(token);
    return token;
}

bool kqNetListTokenizer::GetNextToken(wxString& token)
{
    const wchar_t* characters = m_line.wc_str();
    const size_t length = m_line.length();
    const size_t start = SkipBlanks(m_pos);
    if (start >= length)
    {
        m_pos = length;
        token.clear();
        return false;
    }
    // A keyword character stands alone; any other token runs to the next
    // blank or keyword character. Blanks win over keywords: a word never
    // holds a blank.
    size_t end = start + 1;
    if (!IsKeyword(characters[start]))
        while (end < length && !IsBlank(characters[end]) && !IsKeyword(characters[end]))
            ++end;
    m_pos = end;
    token.assign(characters + start, end - start);
    return true;
}
