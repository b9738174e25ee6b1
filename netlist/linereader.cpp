#include "netlist/linereader.h"

#include <cstring>

namespace
{
const size_t BUFFER_SIZE = 64 * 1024;
const char END_OF_TRANSMISSION = '\x04';
}

kqLineReader::kqLineReader(wxInputStream& input) : m_input(input), m_buffer(BUFFER_SIZE) {}

bool kqLineReader::Fill()
{
    if (m_atEnd)
        return false;
    m_input.Read(m_buffer.data(), m_buffer.size());
    m_size = m_input.LastRead();
    m_pos = 0;
    if (m_size > 0)
        return true;
    // Nothing came: either the end, or an error (a folder opened as a file
    // fails every read); both end the input for good.
    const wxStreamError error = m_input.GetLastError();
    m_failed = error != wxSTREAM_NO_ERROR && error != wxSTREAM_EOF;
    m_atEnd = true;
    return false;
}

int kqLineReader::NextByte()
{
    if (m_pos == m_size && !Fill())
        return -1;
    return static_cast<unsigned char>(m_buffer[m_pos++]);
}

const std::string& kqLineReader::ReadLine()
{
    m_line.clear();
    for (;;)
    {
        if (m_pos == m_size && !Fill())
            return m_line;
        // Copy the run up to the next line-end byte in one go.
        const char* begin = m_buffer.data() + m_pos;
        const char* end = m_buffer.data() + m_size;
        const char* stop = begin;
        while (stop != end && *stop != '\n' && *stop != '\r' && *stop != END_OF_TRANSMISSION)
            ++stop;
        m_line.append(begin, stop);
        m_pos += stop - begin;
        if (stop == end)
            continue;
        const char lineEnd = *stop;
        ++m_pos;
        if (lineEnd == '\r')
        {
            const int next = NextByte();
            if (next != -1 && next != '\n')
                --m_pos;  // not part of this line end; NextByte left it in the buffer
        }
        return m_line;
    }
}
