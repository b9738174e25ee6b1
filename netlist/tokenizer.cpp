#include "netlist/tokenizer.h"

namespace
{
bool IsBlank(wchar_t c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The first character of `line` at or after `from` that is not a blank, or
// the line's length.
size_t SkipBlanks(const wxString& line, size_t from)
{
    const wchar_t* characters = line.wc_str();
    const size_t length = line.length();
    while (from < length && IsBlank(characters[from]))
        ++from;
    return from;
}

// The one cutting of lines: the next token of `line` at or after `pos` into
// `token`, `pos` moved past it. A keyword character stands alone; any other
// token runs to the next blank or keyword character. Blanks win over
// keywords: a word never holds a blank.
template <typename IsKeyword>
bool Cut(const wxString& line, size_t& pos, wxString& token, IsKeyword isKeyword)
{
    const wchar_t* characters = line.wc_str();
    const size_t length = line.length();
    const size_t start = SkipBlanks(line, pos);
    if (start >= length)
    {
        pos = length;
        token.clear();
        return false;
    }
    size_t end = start + 1;
    if (!isKeyword(characters[start]))
        while (end < length && !IsBlank(characters[end]) && !isKeyword(characters[end]))
            ++end;
    pos = end;
    token.assign(characters + start, end - start);
    return true;
}
}

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

bool kqNetListTokenizer::HasMoreTokens() const
{
    return SkipBlanks(m_line, m_pos) < m_line.length();
}

wxString kqNetListTokenizer::GetNextToken()
{
    wxString token;
    GetNextToken(token);
    return token;
}

bool kqNetListTokenizer::GetNextToken(wxString& token)
{
    return Cut(m_line, m_pos, token, [this](wchar_t c) { return IsKeyword(c); });
}

bool kqNetListTokenizer::NextWord(const wxString& line, size_t& pos, wxString& word)
{
    return Cut(line, pos, word, [](wchar_t) { return false; });
}
