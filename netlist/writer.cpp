#include "netlist/writer.h"

#include "netlist/bytes.h"

#include <wx/wfstream.h>

#include <algorithm>

namespace
{
// A text stream that writes every character as one byte (ISO-8859-1) and
// "\n" as a single LF. It gathers the bytes in a large block of its own and
// hands them to the file a block at a time: the toolkit's stream converts
// every piece through a fresh string, which costs more than the writing.
class kqByteTextOutputStream : public wxTextOutputStream
{
public:
    explicit kqByteTextOutputStream(wxOutputStream& output)
        : wxTextOutputStream(output, wxEOL_UNIX, wxConvISO8859_1), m_used(0), m_failed(false)
    {
    }

    // Hands the bytes still held to the file. False when any byte written
    // so far did not reach it.
    bool Finish()
    {
        WriteBlock();
        return !m_failed;
    }

    void WriteString(const wxString& text) override
    {
        const wchar_t* characters = text.wc_str();
        size_t length = text.length();
        while (length > 0)
        {
            if (m_used == BLOCK_SIZE)
                WriteBlock();
            const size_t piece = std::min(length, BLOCK_SIZE - m_used);
            Narrow(characters, piece, m_block + m_used);
            m_used += piece;
            characters += piece;
            length -= piece;
        }
    }

private:
    static constexpr size_t BLOCK_SIZE = 64 * 1024;

    // One byte a character; a character past 8 bits, which no text read
    // from a file holds, becomes '?'.
    static void Narrow(const wchar_t* characters, size_t length, char* bytes)
    {
        // A plain copy first, checked once at the end: the common case runs
        // without a branch per character.
        wxUniChar::value_type high = 0;
        for (size_t i = 0; i < length; ++i)
        {
            const auto c = static_cast<wxUniChar::value_type>(characters[i]);
            bytes[i] = static_cast<char>(c);
            high |= c;
        }
        if (high <= 0xFF)
            return;
        for (size_t i = 0; i < length; ++i)
            if (static_cast<wxUniChar::value_type>(characters[i]) > 0xFF)
                bytes[i] = '?';
    }

    // The toolkit takes a short write (a full disk, a quota, a file-size
    // limit) for success and only counts what went out, so what is left is
    // offered again. After a failure nothing more is written.
    void WriteBlock()
    {
        const size_t used = m_used;
        m_used = 0;
        m_failed = m_failed || !kqWriteAll(m_block, used, [this](const char* bytes, size_t length) {
            return m_output.Write(bytes, length).LastWrite();
        });
    }

    char m_block[BLOCK_SIZE];
    size_t m_used;
    bool m_failed;
};
}

kqNetListWriter::kqNetListWriter() : m_out(nullptr) {}

kqNetListWriter::~kqNetListWriter()
{
    delete m_out;
}

bool kqNetListWriter::Write(const wxString& path, const kqNetList& list)
{
    // The stream logs the reason through the toolkit's error log.
    wxFileOutputStream file(path);
    if (!file.IsOk())
        return false;
    const bool written = Write(file, list);
    return file.Close() && written;
}

bool kqNetListWriter::Write(wxOutputStream& output, const kqNetList& list)
{
    kqByteTextOutputStream* out = new kqByteTextOutputStream(output);
    m_out = out;

    BeginOfList();
    for (const kqNetList::Net& net : list.m_nets)
    {
        BeginOfNet(net.m_name);
        for (const kqNetList::Net::Node& node : net.m_nodes)
            OnNode(node.m_text);
        EndOfNet();
    }
    EndOfList();

    const bool written = out->Finish();
    delete m_out;
    m_out = nullptr;
    return written;
}
