// One comparison of two netlist files: both are read and sorted, every net
// of file 1 is paired with the first free net of file 2 that shares a node,
// and the outcome is kept as one record per net for the report.
#ifndef WIRELACE_NETLIST_DIFFERENCER_H
#define WIRELACE_NETLIST_DIFFERENCER_H

#include "netlist/netlist.h"

#include <wx/string.h>

#include <cstdint>
#include <list>
#include <string>

class wxTextCtrl;
class kqReportSink;

class kqNetDifferencer
{
public:
    // The outcome for one net, or for one pair of nets. The pointers lead
    // into the differencer's own netlists and own nothing.
    class Diff
    {
    public:
        enum STATUS
        {
            STATUS_SAME = 1,
            STATUS_LIKE = 2,
            STATUS_FILE1_ONLY = 3,
            STATUS_FILE2_ONLY = 4
        };

        Diff(STATUS status, kqNetList::Net* net1, kqNetList::Net* net2)
            : m_status(status), m_net1(net1), m_net2(net2)
        {
        }

        STATUS m_status;
        kqNetList::Net* m_net1; // null for STATUS_FILE2_ONLY
        kqNetList::Net* m_net2; // null for STATUS_FILE1_ONLY
    };

    kqNetDifferencer() = default;
    kqNetDifferencer(const kqNetDifferencer&) = delete;
    kqNetDifferencer& operator=(const kqNetDifferencer&) = delete;

    // Reads both files with the readers of their formats and pairs their
    // nets. False, with no record made, when either format id has no
    // reader. A file that cannot be read simply gives no nets. Calling it
    // again starts a fresh comparison.
    bool Execute(const wxString& name1, uint32_t mode1, const wxString& name2, uint32_t mode2);

    // Appends the four-section report to `text`, matched nodes in blue and
    // unmatched ones in red, everything after the first node in black.
    void GetText(wxTextCtrl& text) const;
    // The same characters as bytes, without colours.
    wxString GetText() const;
    // Both from one pass: appends the report to `text` and puts its bytes,
    // one per character of GetText(), in `bytes`.
    void GetText(wxTextCtrl& text, std::string& bytes) const;

    std::list<Diff> m_diffs;
    kqNetList m_list1;
    kqNetList m_list2;

private:
    void Pair();
    void WriteReport(kqReportSink& sink) const;
};

#endif
