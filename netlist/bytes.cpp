#include "netlist/bytes.h"

void kqAssignBytes(wxString& text, const char* bytes, size_t length)
{
    // Widened in a scratch buffer kept between calls, then assigned, so
    // that a string reused line after line keeps its memory.
    static thread_local std::wstring wide;
    wide.resize(length);
    for (size_t i = 0; i < length; ++i)
        wide[i] = static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]));
    text.assign(wide.data(), length);
}

wxString kqBytesToString(const char* bytes, size_t length)
{
    wxString text;
    kqAssignBytes(text, bytes, length);
    return text;
}

std::string kqStringToBytes(const wxString& text)
{
    std::string bytes;
    bytes.reserve(text.length());
    kqAppendBytes(bytes, text);
    return bytes;
}

void kqAppendBytes(std::string& bytes, const wxString& text)
{
    for (wxString::const_iterator it = text.begin(); it != text.end(); ++it)
    {
        const wxUniChar::value_type c = (*it).GetValue();
        bytes.push_back(c <= 0xFF ? static_cast<char>(c) : '?');
    }
}
