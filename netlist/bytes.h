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

#endif
