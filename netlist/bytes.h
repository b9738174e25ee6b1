// Netlist files are bytes. Inside the program every byte is one character
// (ISO-8859-1 both ways), so texts compare in byte order and round-trip.
#ifndef WIRELACE_NETLIST_BYTES_H
#define WIRELACE_NETLIST_BYTES_H

#include <wx/string.h>

#include <cstddef>
#include <string>

// One character per byte, 0 to 255.
void kqAssignBytes(wxString& text, const char* bytes, size_t length);
wxString kqBytesToString(const char* bytes, size_t length);
inline wxString kqBytesToString(const std::string& bytes)
{
    return kqBytesToString(bytes.data(), bytes.size());
}

// The inverse for characters 0 to 255; a character past 255 (which no file
// read here can produce) becomes '?'.
std::string kqStringToBytes(const wxString& text);
// The same, appended to `bytes`.
void kqAppendBytes(std::string& bytes, const wxString& text);

// Offers `length` bytes to `writeSome`, which takes a piece from the front
// and says how many bytes of it went out, until all of them have. A write
// that takes nothing is a failure: a full disk, a quota or a file-size
// limit first cuts a write short, and the next one takes nothing.
template <class WriteSome>
bool kqWriteAll(const char* bytes, size_t length, WriteSome writeSome)
{
    while (length > 0)
    {
        const size_t written = writeSome(bytes, length);
        if (written == 0)
            return false;
        bytes += written;
        length -= written;
    }
    return true;
}

#endif
