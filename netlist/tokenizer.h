// Cuts one line into tokens: first into words at blanks (space, tab, CR,
// LF), then each word at keyword characters. A keyword character is always
// a token of its own; every other token is the longest run of non-keyword
// characters inside one word. With keywords ";,":
//   "GND;U1.7,C3.2 ,"  ->  "GND" ";" "U1.7" "," "C3.2" ","
#ifndef WIRELACE_NETLIST_TOKENIZER_H
#define WIRELACE_NETLIST_TOKENIZER_H

#include <wx/tokenzr.h>

#include <bitset>
#include <cstddef>

// It is a wxStringTokenizer, but cuts the words itself in one pass over
// the line: the toolkit's word stage builds every word character by
// character and was most of the time spent reading a netlist.
class kqNetListTokenizer : public wxStringTokenizer
{
public:
    kqNetListTokenizer();

    void SetKeywords(const wxString& keywords);
    void SetString(const wxString& line);
    bool HasMoreTokens() const;
    wxString GetNextToken();
    // The next token into `token`, reusing the string's memory; false, with
    // `token` emptied, when no token is left.
    bool GetNextToken(wxString& token);

    // The first stage alone, on a line the caller holds: the next word of
    // `line` at or after `pos` into `word`, `pos` moved past it; false, with
    // `word` emptied, when no word is left.
    static bool NextWord(const wxString& line, size_t& pos, wxString& word);

private:
    bool IsKeyword(wchar_t c) const;

    wxString m_keywords;
    // The keyword characters below 256, for a lookup per character without
    // searching m_keywords.
    std::bitset<256> m_isKeywordByte;
    wxString m_line;
    // The next character of m_line not yet returned in a token.
    size_t m_pos;
};

#endif
