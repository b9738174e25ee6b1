#include "netlist/report.h"

#include "netlist/bytes.h"

#include <wx/textctrl.h>
#include <wx/wupdlock.h>

#include <cstdint>
#include <string>

namespace
{
// The lead bytes of the multi-byte UTF-8 forms: the bits that mark the
// form, the sequence length, and the smallest code point it may carry
// (anything smaller is an overlong form).
struct Utf8Form
{
    unsigned char mask;
    unsigned char marker;
    size_t length;
    uint32_t smallest;
};
const Utf8Form UTF8_FORMS[] = {
    {0xE0, 0xC0, 2, 0x80},
    {0xF0, 0xE0, 3, 0x800},
    {0xF8, 0xF0, 4, 0x10000},
};

// The length of the well-formed UTF-8 sequence at `at` (no overlong forms,
// no surrogates, nothing past U+10FFFF), or 0 when there is none.
size_t Utf8SequenceLength(const std::string& bytes, size_t at)
{
    const unsigned char lead = static_cast<unsigned char>(bytes[at]);
    if (lead < 0x80)
        return 1;
    for (const Utf8Form& form : UTF8_FORMS)
    {
        if ((lead & form.mask) != form.marker)
            continue;
        if (bytes.size() - at < form.length)
            return 0;
        uint32_t code = lead & static_cast<unsigned char>(~form.mask);
        for (size_t i = 1; i < form.length; ++i)
        {
            const unsigned char next = static_cast<unsigned char>(bytes[at + i]);
            if ((next & 0xC0) != 0x80)
                return 0;
            code = (code << 6) | (next & 0x3F);
        }
        const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
        return code < form.smallest || code > 0x10FFFF || surrogate ? 0 : form.length;
    }
    return 0;
}

bool IsUtf8(const std::string& bytes)
{
    for (size_t at = 0; at < bytes.size();)
    {
        const size_t length = Utf8SequenceLength(bytes, at);
        if (!length)
            return false;
        at += length;
    }
    return true;
}

bool IsPlainAscii(const wxString& text)
{
    for (wxString::const_iterator it = text.begin(); it != text.end(); ++it)
    {
        const wxUniChar::value_type c = (*it).GetValue();
        if (c == 0 || c >= 0x80)
            return false;
    }
    return true;
}

// The bytes of `text` as a UTF-8 desktop shows them: decoded when they are
// valid UTF-8, else one character per byte. A NUL cannot go into the
// control at all (it would refuse the whole insertion), so it is shown as
// the replacement character.
wxString ForDisplay(const wxString& text)
{
    if (IsPlainAscii(text))
        return text;
    const std::string bytes = kqStringToBytes(text);
    wxString shown = IsUtf8(bytes) ? wxString::FromUTF8Unchecked(bytes.data(), bytes.size()) : text;
    for (wxString::iterator it = shown.begin(); it != shown.end(); ++it)
        if (*it == wxUniChar(0))
            *it = wxUniChar(0xFFFD);
    return shown;
}

const wxString SPACE = " ";
}

// The brackets go in as characters: a C string would be converted through
// the locale every time, and a report has hundreds of thousands of them.
void kqWriteNet(const kqNetList::Net& net, kqReportSink& sink)
{
    sink.Plain(wxUniChar('[') + net.m_name + wxUniChar(']'));
    for (const kqNetList::Net::Node& node : net.m_nodes)
    {
        sink.Plain(SPACE);
        if (node.m_matched)
            sink.Node(wxUniChar('(') + node.m_text + wxUniChar(')'), true);
        else
            sink.Node(wxUniChar('<') + node.m_text + wxUniChar('>'), false);
    }
}

void kqReportBytesSink::Plain(const wxString& text)
{
    kqAppendBytes(m_bytes, text);
}

void kqReportBytesSink::Node(const wxString& bracketed, bool)
{
    kqAppendBytes(m_bytes, bracketed);
}

void kqReportTeeSink::Plain(const wxString& text)
{
    m_first.Plain(text);
    m_second.Plain(text);
}

void kqReportTeeSink::Node(const wxString& bracketed, bool matched)
{
    m_first.Node(bracketed, matched);
    m_second.Node(bracketed, matched);
}

void kqReportCtrlSink::Plain(const wxString& text)
{
    if (m_runs.empty())
        m_beforeFirstNode += ForDisplay(text);
    else
        m_fromFirstNode += ForDisplay(text);
}

void kqReportCtrlSink::Node(const wxString& bracketed, bool matched)
{
    const size_t start = m_fromFirstNode.length();
    m_fromFirstNode += ForDisplay(bracketed);
    const size_t end = m_fromFirstNode.length();
    // Only a single space lies between this node and the last one of the
    // same colour: the space joins their run.
    const bool joins = !m_runs.empty() && m_runs.back().matched == matched &&
                       m_runs.back().end + 1 == start && m_fromFirstNode[start - 1] == ' ';
    if (joins)
        m_runs.back().end = end;
    else
        m_runs.push_back({start, end, matched});
}

void kqReportCtrlSink::WriteTo(wxTextCtrl& ctrl) const
{
    // Frozen, the GTK view is not told about every change.
    wxWindowUpdateLocker frozen(&ctrl);
    if (!m_beforeFirstNode.empty())
        ctrl.AppendText(m_beforeFirstNode);
    if (m_runs.empty())
        return;

    ctrl.SetDefaultStyle(wxTextAttr(*wxBLACK));
    const long base = ctrl.GetLastPosition();
    ctrl.AppendText(m_fromFirstNode);

    // Last run first: colouring a range makes GTK look for the next style
    // change after it, which is then never further than the next run.
    const wxTextAttr matched(*wxBLUE);
    const wxTextAttr unmatched(*wxRED);
    for (auto run = m_runs.rbegin(); run != m_runs.rend(); ++run)
        ctrl.SetStyle(base + static_cast<long>(run->start), base + static_cast<long>(run->end),
                      run->matched ? matched : unmatched);
}

void kqNetList::Net::GetText(wxTextCtrl& text) const
{
    kqReportCtrlSink sink;
    kqWriteNet(*this, sink);
    sink.WriteTo(text);
}

wxString kqNetList::Net::GetText() const
{
    kqReportStringSink sink;
    kqWriteNet(*this, sink);
    return sink.Text();
}
