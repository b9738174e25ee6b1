// Cuts a byte stream into lines.
//
// A line ends at LF, at CR, at CR LF (one line end) or at a byte 0x04; the
// end is not part of the line. End of file is known only after a read has
// run into it, so:
//   "X"        -> "X"
//   "X\n"      -> "X", ""
//   "A\r\nB\rC\n" -> "A", "B", "C", ""
//   "A\r"      -> "A"      (looking for LF after the CR meets the end)
//   ""         -> ""
// Every other byte, NUL included, stays in the line.
#ifndef WIRELACE_NETLIST_LINEREADER_H
#define WIRELACE_NETLIST_LINEREADER_H

#include <wx/stream.h>

#include <string>
#include <vector>

class kqLineReader
{
public:
    explicit kqLineReader(wxInputStream& input);

    // True once the end of the input has been met, or a read failed.
    bool Eof() const { return m_atEnd; }
    // True when a read failed before the end of the input was reached.
    bool Failed() const { return m_failed; }

    // The next line, without its line end. Only meaningful while !Eof().
    const std::string& ReadLine();

private:
    bool Fill();
    // The next byte, or -1 at the end of the input.
    int NextByte();

    wxInputStream& m_input;
    std::vector<char> m_buffer;
    size_t m_pos = 0;
    size_t m_size = 0;
    bool m_atEnd = false;
    bool m_failed = false;
    std::string m_line;
};

#endif
