#include "netlist/netlist.h"

#include <wx/hashmap.h>

#include <unordered_map>
#include <vector>

// Answers "which unpicked net comes first in list order among the nets that
// hold any of these texts" without walking the whole list for every query.
// For each text it keeps the ascending positions of the nets holding it and
// a cursor past the positions already picked: picks only ever get added, so
// a skipped position never needs to be looked at again.
class kqNetPickupIndex
{
public:
    explicit kqNetPickupIndex(std::list<kqNetList::Net>& nets)
    {
        m_nets.reserve(nets.size());
        for (kqNetList::Net& net : nets)
        {
            const size_t position = m_nets.size();
            m_nets.push_back(&net);
            for (const kqNetList::Net::Node& node : net.m_nodes)
            {
                std::vector<size_t>& positions = m_holders[node.m_text].positions;
                // A net may hold one text several times; keep its position once.
                if (positions.empty() || positions.back() != position)
                    positions.push_back(position);
            }
        }
    }

    size_t NetCount() const { return m_nets.size(); }

    // The first unpicked net holding any text of `net`, or null.
    kqNetList::Net* FirstUnpickedSharing(const kqNetList::Net& net)
    {
        size_t best = m_nets.size();
        const wxString* previous = nullptr;
        for (const kqNetList::Net::Node& node : net.m_nodes)
        {
            // Sorted nodes put equal texts side by side; one lookup each.
            if (previous && *previous == node.m_text)
                continue;
            previous = &node.m_text;
            const auto found = m_holders.find(node.m_text);
            if (found == m_holders.end())
                continue;
            const size_t position = FirstUnpicked(found->second);
            if (position < best)
                best = position;
        }
        return best < m_nets.size() ? m_nets[best] : nullptr;
    }

private:
    struct Holders
    {
        std::vector<size_t> positions;
        size_t cursor = 0;
    };

    size_t FirstUnpicked(Holders& holders)
    {
        while (holders.cursor < holders.positions.size() &&
               m_nets[holders.positions[holders.cursor]]->m_picked)
            ++holders.cursor;
        return holders.cursor < holders.positions.size() ? holders.positions[holders.cursor]
                                                         : m_nets.size();
    }

    std::vector<kqNetList::Net*> m_nets;
    std::unordered_map<wxString, Holders, wxStringHash, wxStringEqual> m_holders;
};

bool kqNetList::Net::operator==(const Net& other) const
{
    if (m_nodes.size() != other.m_nodes.size())
        return false;
    auto theirs = other.m_nodes.begin();
    for (const Node& mine : m_nodes)
    {
        if (mine != *theirs)
            return false;
        ++theirs;
    }
    return true;
}

uint32_t kqNetList::Net::IsLike(Net* other, uint32_t& larger)
{
    const uint32_t mineCount = static_cast<uint32_t>(m_nodes.size());
    const uint32_t theirCount = static_cast<uint32_t>(other->m_nodes.size());
    larger = mineCount > theirCount ? mineCount : theirCount;

    uint32_t common = 0;
    auto mine = m_nodes.begin();
    auto theirs = other->m_nodes.begin();
    while (mine != m_nodes.end() && theirs != other->m_nodes.end())
    {
        if (*mine == *theirs)
        {
            mine->m_matched = 1;
            theirs->m_matched = 1;
            ++common;
            ++mine;
            ++theirs;
        }
        else if (*mine < *theirs)
            ++mine;
        else
            ++theirs;
    }
    return common;
}

kqNetList::kqNetList() = default;

kqNetList::kqNetList(const kqNetList& other) : m_nets(other.m_nets) {}

kqNetList& kqNetList::operator=(const kqNetList& other)
{
    m_nets = other.m_nets;
    m_pickupIndex.reset();
    return *this;
}

kqNetList::~kqNetList() = default;

bool kqNetList::Sort()
{
    m_nets.sort();
    for (Net& net : m_nets)
        net.m_nodes.sort();
    m_pickupIndex.reset();
    return true;
}

kqNetList::Net* kqNetList::Pickup(Net* net, PICKUP_STATUS& status)
{
    // A list that grew since the index was built gets a fresh one.
    if (!m_pickupIndex || m_pickupIndex->NetCount() != m_nets.size())
        m_pickupIndex = std::make_unique<kqNetPickupIndex>(m_nets);

    Net* partner = m_pickupIndex->FirstUnpickedSharing(*net);
    if (!partner)
    {
        status = PICKUP_NONE;
        return nullptr;
    }
    uint32_t larger = 0;
    const uint32_t common = partner->IsLike(net, larger);
    status = common == larger ? PICKUP_SAME : PICKUP_LIKE;
    partner->m_picked = 1;
    return partner;
}
