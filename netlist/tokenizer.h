// Cuts one line into tokens: first into words at blanks (space, tab, CR,
// LF), then each word at keyword characters. A keyword character is always
// a token of its own; every other token is the longest run of non-keyword
// characters inside one word. With keywords ";,":
//   "GND;U1.7,C3.2 ,"  ->  "GND" ";" "U1.7" "," "C3.2" ","
#ifndef WIRELACE_NETLIST_TOKENIZER_H
#define WIRELACE_NETLIST_TOKENIZER_H

#include <wx/tokenzr.h>

#include <bitset>
#include <cstdint>

class kqNetListTokenizer : public wxStringTokenizer
{
public:
    kqNetListTokenizer();

    void SetKeywords(const wxString& keywords);
    void SetString(const wxString& line);
    bool HasMoreTokens() const;
    wxString GetNextToken();

private:
    bool IsKeyword(wchar_t c) const;
    // The position of the first keyword character at or after `from`, or
    // the word's length when there is none.
    size_t FindKeyword(const wxString& word, size_t from) const;

    wxString m_keywords;
    // The keyword characters below 256, for a lookup per character without
    // searching m_keywords.
    std::bitset<256> m_isKeywordByte;
    wxString m_word;
    uint32_t m_pos;
};

#endif
