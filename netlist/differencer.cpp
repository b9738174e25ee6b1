#include "netlist/differencer.h"

#include "netlist/mode.h"
#include "netlist/reader.h"
#include "netlist/report.h"

#include <memory>

namespace
{
// Fills `list` from the file with the reader of format `mode` and sorts it,
// as the pairing needs. False when the format has no reader.
bool ReadSorted(const wxString& name, uint32_t mode, kqNetList& list)
{
    std::unique_ptr<kqNetListReader> reader(kqNetMode::GetReader(mode));
    if (!reader)
        return false;
    // An unreadable file is not an error here: it gives an empty side.
    reader->Read(name, list);
    list.Sort();
    return true;
}

struct Section
{
    kqNetDifferencer::Diff::STATUS status;
    wxString heading;
    wxString separator; // between the two nets of a pair
};

const Section SECTIONS[] = {
    {kqNetDifferencer::Diff::STATUS_SAME, "[[Same]]\n", " == "},
    {kqNetDifferencer::Diff::STATUS_LIKE, "\n[[Like]]\n", " != "},
    {kqNetDifferencer::Diff::STATUS_FILE1_ONLY, "\n<<File 1 only>>\n", ""},
    {kqNetDifferencer::Diff::STATUS_FILE2_ONLY, "\n<<File 2 only>>\n", ""},
};

const wxString LINE_END = "\n";

void WriteRecord(const kqNetDifferencer::Diff& diff, const wxString& separator, kqReportSink& sink)
{
    if (diff.m_net1)
        kqWriteNet(*diff.m_net1, sink);
    if (diff.m_net1 && diff.m_net2)
        sink.Plain(separator);
    if (diff.m_net2)
        kqWriteNet(*diff.m_net2, sink);
    sink.Plain(LINE_END);
}
}

bool kqNetDifferencer::Execute(const wxString& name1, uint32_t mode1, const wxString& name2,
                               uint32_t mode2)
{
    // The records point into the lists, so they go first.
    m_diffs.clear();
    m_list1 = kqNetList();
    m_list2 = kqNetList();

    if (!ReadSorted(name1, mode1, m_list1) || !ReadSorted(name2, mode2, m_list2))
        return false;
    Pair();
    return true;
}

// Every net of file 1, in name order, takes the first free net of file 2
// that shares a node; the nets of file 2 left over follow on their own.
void kqNetDifferencer::Pair()
{
    size_t taken = 0;
    for (kqNetList::Net& net : m_list1.m_nets)
    {
        kqNetList::PICKUP_STATUS status;
        kqNetList::Net* partner = m_list2.Pickup(&net, status);
        if (!partner)
            m_diffs.emplace_back(Diff::STATUS_FILE1_ONLY, &net, nullptr);
        else if (status == kqNetList::PICKUP_SAME)
            m_diffs.emplace_back(Diff::STATUS_SAME, &net, partner);
        else
            m_diffs.emplace_back(Diff::STATUS_LIKE, &net, partner);
        taken += partner != nullptr;
    }
    // Every partner is a different net of file 2, freshly read and not taken
    // before. When all were taken, none is left over, and looking at each
    // again would cost a fetch from memory a net.
    if (taken == m_list2.m_nets.size())
        return;
    for (kqNetList::Net& net : m_list2.m_nets)
        if (!net.m_picked)
            m_diffs.emplace_back(Diff::STATUS_FILE2_ONLY, nullptr, &net);
}

void kqNetDifferencer::WriteReport(kqReportSink& sink) const
{
    for (const Section& section : SECTIONS)
    {
        sink.Plain(section.heading);
        for (const Diff& diff : m_diffs)
            if (diff.m_status == section.status)
                WriteRecord(diff, section.separator, sink);
    }
}

void kqNetDifferencer::GetText(wxTextCtrl& text) const
{
    kqReportCtrlSink sink;
    WriteReport(sink);
    sink.WriteTo(text);
}

wxString kqNetDifferencer::GetText() const
{
    kqReportStringSink sink;
    WriteReport(sink);
    return sink.Text();
}

void kqNetDifferencer::GetText(wxTextCtrl& text, std::string& bytes) const
{
    kqReportCtrlSink shown;
    kqReportBytesSink kept;
    kqReportTeeSink both(shown, kept);
    WriteReport(both);
    shown.WriteTo(text);
    bytes.swap(kept.Bytes());
}
