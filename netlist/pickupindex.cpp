#include "netlist/pickupindex.h"

#include <functional>

namespace
{
// How many holdings ahead the table slot is fetched while filling.
const size_t AHEAD = 8;

// A table entry: the hash's high half, and the group + 1; 0 is a free slot.
uint64_t Entry(uint64_t hash, uint32_t group)
{
    return (hash & 0xFFFFFFFF00000000u) | (group + 1);
}
}

kqNetPickupIndex::kqNetPickupIndex(std::list<kqNetList::Net>& nets)
{
    size_t nodes = 0;
    for (const kqNetList::Net& net : nets)
        nodes += net.m_nodes.size();
    std::vector<Holding> holdings;
    holdings.reserve(nodes);
    m_nets.reserve(nets.size());
    for (kqNetList::Net& net : nets)
    {
        const uint32_t position = static_cast<uint32_t>(m_nets.size());
        m_nets.push_back(&net);
        for (const kqNetList::Net::Node& node : net.m_nodes)
            holdings.push_back(MakeHolding(node.m_text, position));
    }
    // At most half full, so that probe runs stay short.
    size_t slots = 16;
    while (slots < holdings.size() * 2)
        slots *= 2;
    m_table.assign(slots, 0);
    FillGroups(holdings);
}

kqNetList::Net* kqNetPickupIndex::FirstUnpickedSharing(const kqNetList::Net& net)
{
    // Sorted nodes put equal texts side by side; one lookup each. All slots
    // are asked for before the first is used.
    m_query.clear();
    const wxString* previous = nullptr;
    for (const kqNetList::Net::Node& node : net.m_nodes)
    {
        if (previous && *previous == node.m_text)
            continue;
        previous = &node.m_text;
        m_query.push_back(MakeHolding(node.m_text, 0));
        Prefetch(m_query.back().hash);
    }
    uint32_t best = NONE;
    for (const Holding& text : m_query)
    {
        const uint32_t group = Find(text);
        if (group == NONE)
            continue;
        const uint32_t position = FirstUnpicked(group);
        if (position < best)
            best = position;
    }
    return best != NONE ? m_nets[best] : nullptr;
}

kqNetPickupIndex::Holding kqNetPickupIndex::MakeHolding(const wxString& text, uint32_t position)
{
    const std::wstring_view view(text.wx_str(), text.length());
    return {view, std::hash<std::wstring_view>()(view), position};
}

// The group of the text, or NONE; `freeSlot` then receives the slot it
// would take.
uint32_t kqNetPickupIndex::Find(const Holding& text, size_t* freeSlot) const
{
    const size_t mask = m_table.size() - 1;
    for (size_t at = Slot(text.hash);; at = (at + 1) & mask)
    {
        const uint64_t entry = m_table[at];
        if (!entry)
        {
            if (freeSlot)
                *freeSlot = at;
            return NONE;
        }
        const uint32_t group = static_cast<uint32_t>(entry) - 1;
        if (entry == Entry(text.hash, group) && m_groups[group].text == text.text)
            return group;
    }
}

// Numbers the distinct texts, counting the nets that hold each.
void kqNetPickupIndex::FillGroups(const std::vector<Holding>& holdings)
{
    std::vector<uint32_t> groupOf; // per holding; NONE for a repeat within one net
    std::vector<uint32_t> lastHolder;
    std::vector<uint32_t> counts;
    groupOf.reserve(holdings.size());
    lastHolder.reserve(holdings.size());
    counts.reserve(holdings.size());
    m_groups.reserve(holdings.size());
    for (size_t i = 0; i < holdings.size(); ++i)
    {
        if (i + AHEAD < holdings.size())
            Prefetch(holdings[i + AHEAD].hash);
        const Holding& holding = holdings[i];
        size_t freeSlot = 0;
        uint32_t group = Find(holding, &freeSlot);
        if (group == NONE)
        {
            group = static_cast<uint32_t>(m_groups.size());
            m_table[freeSlot] = Entry(holding.hash, group);
            m_groups.push_back({holding.text, 0, 0, 0});
            lastHolder.push_back(NONE);
            counts.push_back(0);
        }
        // A net may hold one text several times; keep its position once.
        const bool repeat = lastHolder[group] == holding.position;
        lastHolder[group] = holding.position;
        counts[group] += !repeat;
        groupOf.push_back(repeat ? NONE : group);
    }
    LayOutPositions(holdings, groupOf, counts);
}

// Gives every group its stretch of m_positions and fills it. The holdings
// are in net order, so every stretch fills in ascending order.
void kqNetPickupIndex::LayOutPositions(const std::vector<Holding>& holdings,
                                       const std::vector<uint32_t>& groupOf,
                                       const std::vector<uint32_t>& counts)
{
    std::vector<uint32_t> fill(counts.size());
    uint32_t next = 0;
    for (size_t group = 0; group < counts.size(); ++group)
    {
        fill[group] = m_groups[group].cursor = next;
        next += counts[group];
        m_groups[group].end = next;
    }
    m_positions.resize(next);
    for (size_t i = 0; i < holdings.size(); ++i)
        if (groupOf[i] != NONE)
            m_positions[fill[groupOf[i]]++] = holdings[i].position;
    for (Group& group : m_groups)
        group.first = m_positions[group.cursor];
}

uint32_t kqNetPickupIndex::FirstUnpicked(uint32_t index)
{
    Group& group = m_groups[index];
    while (group.cursor < group.end && m_nets[group.first]->m_picked)
        if (++group.cursor < group.end)
            group.first = m_positions[group.cursor];
    return group.cursor < group.end ? group.first : NONE;
}
