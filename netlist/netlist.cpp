#include "netlist/netlist.h"

#include <cstdint>
#include <functional>
#include <string_view>
#include <utility>
#include <vector>

// Answers "which unpicked net comes first in list order among the nets that
// hold any of these texts" without walking the whole list for every query.
// Each distinct text is a group with the ascending positions of the nets
// holding it, and a cursor past the positions already picked: picks only
// ever get added, so a skipped position never needs to be looked at again.
//
// Everything lives in a few flat arrays (an open-addressing table over the
// texts, which stay put inside the list, and one array of positions for all
// groups): a node-based map with a vector per text spends most of its time
// allocating and freeing.
class kqNetPickupIndex
{
public:
    explicit kqNetPickupIndex(std::list<kqNetList::Net>& nets)
    {
        size_t nodeCount = 0;
        m_nets.reserve(nets.size());
        for (kqNetList::Net& net : nets)
        {
            m_nets.push_back(&net);
            nodeCount += net.m_nodes.size();
        }
        size_t slots = 16;
        while (slots < nodeCount + nodeCount / 2)
            slots *= 2;
        m_slots.assign(slots, Slot());
        FillGroups(nodeCount);
    }

    size_t NetCount() const { return m_nets.size(); }

    // The first unpicked net holding any text of `net`, or null.
    kqNetList::Net* FirstUnpickedSharing(const kqNetList::Net& net)
    {
        uint32_t best = NONE;
        const wxString* previous = nullptr;
        for (const kqNetList::Net::Node& node : net.m_nodes)
        {
            // Sorted nodes put equal texts side by side; one lookup each.
            if (previous && *previous == node.m_text)
                continue;
            previous = &node.m_text;
            const Slot& slot = Find(node.m_text);
            if (!slot.text)
                continue;
            const uint32_t position = FirstUnpicked(slot.group);
            if (position < best)
                best = position;
        }
        return best != NONE ? m_nets[best] : nullptr;
    }

private:
    static const uint32_t NONE = UINT32_MAX;

    struct Slot
    {
        const wxString* text = nullptr; // null: free
        size_t hash = 0;
        uint32_t group = 0;
    };

    static size_t Hash(const wxString& text)
    {
        return std::hash<std::wstring_view>()(std::wstring_view(text.wx_str(), text.length()));
    }

    // The slot holding `text`, or the free slot where it would go.
    Slot& Find(const wxString& text)
    {
        const size_t hash = Hash(text);
        const size_t mask = m_slots.size() - 1;
        for (size_t at = hash & mask;; at = (at + 1) & mask)
        {
            Slot& slot = m_slots[at];
            if (!slot.text || (slot.hash == hash && *slot.text == text))
                return slot;
        }
    }

    // Numbers the distinct texts and lays out each one's net positions.
    void FillGroups(size_t nodeCount)
    {
        std::vector<uint32_t> lastHolder; // per group
        std::vector<std::pair<uint32_t, uint32_t>> holdings; // (group, net position), in net order
        std::vector<uint32_t> counts;     // per group
        holdings.reserve(nodeCount);
        for (uint32_t position = 0; position < m_nets.size(); ++position)
        {
            for (const kqNetList::Net::Node& node : m_nets[position]->m_nodes)
            {
                Slot& slot = Find(node.m_text);
                if (!slot.text)
                {
                    slot = Slot{&node.m_text, Hash(node.m_text), static_cast<uint32_t>(counts.size())};
                    counts.push_back(0);
                    lastHolder.push_back(NONE);
                }
                // A net may hold one text several times; keep its position once.
                if (lastHolder[slot.group] == position)
                    continue;
                lastHolder[slot.group] = position;
                ++counts[slot.group];
                holdings.emplace_back(slot.group, position);
            }
        }

        m_groupEnd.resize(counts.size());
        m_cursor.resize(counts.size());
        uint32_t next = 0;
        for (size_t group = 0; group < counts.size(); ++group)
        {
            m_cursor[group] = next;
            next += counts[group];
            m_groupEnd[group] = next;
        }
        // The holdings are in net order, so every group fills in ascending order.
        m_positions.resize(next);
        std::vector<uint32_t> fill(m_cursor);
        for (const auto& holding : holdings)
            m_positions[fill[holding.first]++] = holding.second;
    }

    uint32_t FirstUnpicked(uint32_t group)
    {
        uint32_t& cursor = m_cursor[group];
        while (cursor < m_groupEnd[group] && m_nets[m_positions[cursor]]->m_picked)
            ++cursor;
        return cursor < m_groupEnd[group] ? m_positions[cursor] : NONE;
    }

    std::vector<kqNetList::Net*> m_nets;
    std::vector<Slot> m_slots;
    std::vector<uint32_t> m_positions; // the positions of all groups, group after group
    std::vector<uint32_t> m_cursor;    // per group: the first position not known picked
    std::vector<uint32_t> m_groupEnd;  // per group: one past its last position
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
