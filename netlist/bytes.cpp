#include "netlist/bytes.h"

wxString kqBytesToString(const char* bytes, size_t length)
{
    std::wstring wide(length, L'\0');
    for (size_t i = 0; i < length; ++i)
        wide[i] = static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]));
    return wxString(wide);
}

std::string kqStringToBytes(const wxString& text)
{
    std::string bytes;
    bytes.reserve(text.length());
    for (wxString::const_iterator it = text.begin(); it != text.end(); ++it)
    {
        const wxUniChar::value_type c = (*it).GetValue();
        bytes.push_back(c <= 0xFF ? static_cast<char>(c) : '?');
    }
    return bytes;
}
