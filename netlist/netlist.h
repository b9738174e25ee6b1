// The in-memory netlist: nets of one file, each a name and its nodes.
#ifndef WIRELACE_NETLIST_NETLIST_H
#define WIRELACE_NETLIST_NETLIST_H

#include "netlist/textorder.h"

#include <wx/string.h>

#include <cstdint>
#include <list>
#include <memory>

class wxTextCtrl;
class kqNetPickupIndex;

class kqNetList
{
public:
    class Net
    {
    public:
        class Node
        {
        public:
            Node() : m_matched(0) {}
            explicit Node(const wxString& text) : m_text(text), m_matched(0) {}

            bool operator<(const Node& other) const
            {
                return kqTextOrder::Compare(m_text, other.m_text) < 0;
            }
            bool operator==(const Node& other) const
            {
                return kqTextOrder::Equal(m_text, other.m_text);
            }
            bool operator!=(const Node& other) const { return !(*this == other); }

            wxString m_text;
            int32_t m_matched;
        };

        Net() : m_picked(0) {}
        Net(const Net&) = default;
        Net(Net&&) = default;
        Net& operator=(const Net&) = default;
        Net& operator=(Net&&) = default;
        virtual ~Net() = default;

        bool operator<(const Net& other) const
        {
            return kqTextOrder::Compare(m_name, other.m_name) < 0;
        }
        bool operator==(const Net& other) const;

        // Counts the nodes this net shares with `other` (equal texts paired
        // one to one) and marks them on both nets, walking both node lists
        // side by side in byte order: the count is right only when both are
        // sorted. `larger` receives the larger of the two node counts.
        uint32_t IsLike(Net* other, uint32_t& larger);

        // The net as one report line piece: "[name]", then " (node)" for a
        // matched node or " <node>" for an unmatched one.
        void GetText(wxTextCtrl& text) const;
        wxString GetText() const;

        wxString m_name;
        int32_t m_picked;
        std::list<Node> m_nodes;
    };

    enum PICKUP_STATUS
    {
        PICKUP_SAME = 0,
        PICKUP_LIKE = 1,
        PICKUP_NONE = 2
    };

    kqNetList();
    kqNetList(const kqNetList& other);
    kqNetList& operator=(const kqNetList& other);
    ~kqNetList();

    // Sorts the nets by name, then every net's nodes by text; both stable.
    bool Sort();

    // Takes the first net of this list, in list order, that is not picked yet
    // and whose IsLike with `net` counts a common node; marks it picked and
    // marks the shared nodes. Null and PICKUP_NONE when there is none.
    Net* Pickup(Net* net, PICKUP_STATUS& status);

    std::list<Net> m_nets;

private:
    // Built on the first Pickup and whenever the count of nets has changed
    // since; see pickupindex.h for what it assumes of other changes.
    std::unique_ptr<kqNetPickupIndex> m_pickupIndex;
};

#endif
