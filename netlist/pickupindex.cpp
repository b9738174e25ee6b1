#include "netlist/pickupindex.h"

#include <cwchar>
#include <functional>
#include <string_view>

namespace
{
// How many nodes ahead a slot is fetched while filling.
const size_t AHEAD = 8;
}

kqNetPickupIndex::kqNetPickupIndex(std::list<kqNetList::Net>& nets)
{
    size_t nodes = 0;
    m_nets.reserve(nets.size());
    for (kqNetList::Net& net : nets)
    {
        m_nets.push_back(&net);
        nodes += net.m_nodes.size();
    }
    // At most two thirds full, so that probe runs stay short.
    size_t slots = 16;
    while (slots < nodes + nodes / 2)
        slots *= 2;
    m_slots.resize(slots);

    std::vector<uint32_t> slotOf; // per node in list order; NONE for a repeat within one net
    slotOf.reserve(nodes);
    CountHolders(slotOf);
    LayOutPositions(slotOf);
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
        m_query.push_back(MakeKey(node.m_text));
        Prefetch(m_query.back());
    }
    uint32_t best = NONE;
    for (const Key& key : m_query)
    {
        Slot& slot = m_slots[Find(key)];
        if (!slot.data)
            continue;
        const uint32_t position = FirstUnpicked(slot);
        if (position < best)
            best = position;
    }
    return best != NONE ? m_nets[best] : nullptr;
}

kqNetPickupIndex::Key kqNetPickupIndex::MakeKey(const wxString& text)
{
    const std::wstring_view view(text.wx_str(), text.length());
    return {view.data(), view.size(), std::hash<std::wstring_view>()(view)};
}

// The slot holding the text, or the free slot where it would go.
size_t kqNetPickupIndex::Find(const Key& key) const
{
    const size_t mask = m_slots.size() - 1;
    for (size_t at = Home(key.hash);; at = (at + 1) & mask)
    {
        const Slot& slot = m_slots[at];
        if (!slot.data || (slot.hash == key.hash && slot.length == key.length &&
                           std::wmemcmp(slot.data, key.data, key.length) == 0))
            return at;
    }
}

// Gives every text its slot, node by node in list order, and counts the
// nets holding it in `end`, the last of them kept in `first` meanwhile.
void kqNetPickupIndex::CountHolders(std::vector<uint32_t>& slotOf)
{
    struct Pending
    {
        Key key;
        uint32_t position;
    };
    Pending ahead[AHEAD];
    size_t made = 0;
    size_t used = 0;
    auto take = [&](const Pending& pending) {
        const size_t at = Find(pending.key);
        Slot& slot = m_slots[at];
        if (!slot.data)
        {
            slot.data = pending.key.data;
            slot.length = static_cast<uint32_t>(pending.key.length);
            slot.hash = pending.key.hash;
            slot.first = NONE;
        }
        // A net may hold one text several times; keep its position once.
        const bool repeat = slot.first == pending.position;
        slot.first = pending.position;
        slot.end += !repeat;
        slotOf.push_back(repeat ? NONE : static_cast<uint32_t>(at));
    };
    for (uint32_t position = 0; position < m_nets.size(); ++position)
        for (const kqNetList::Net::Node& node : m_nets[position]->m_nodes)
        {
            if (made - used == AHEAD)
                take(ahead[used++ % AHEAD]);
            Pending& next = ahead[made++ % AHEAD];
            next = {MakeKey(node.m_text), position};
            Prefetch(next.key);
        }
    while (used < made)
        take(ahead[used++ % AHEAD]);
}

// Gives every text its stretch of m_positions and fills it. The nodes are
// in list order, so every stretch fills in ascending order.
void kqNetPickupIndex::LayOutPositions(const std::vector<uint32_t>& slotOf)
{
    uint32_t next = 0;
    for (Slot& slot : m_slots)
    {
        slot.cursor = slot.first = next; // `first` fills the stretch for now
        next += slot.end;
        slot.end = next;
    }
    m_positions.resize(next);
    size_t node = 0;
    for (uint32_t position = 0; position < m_nets.size(); ++position)
        for (size_t end = node + m_nets[position]->m_nodes.size(); node < end; ++node)
            if (slotOf[node] != NONE)
                m_positions[m_slots[slotOf[node]].first++] = position;
    for (Slot& slot : m_slots)
        if (slot.data)
            slot.first = m_positions[slot.cursor];
}

uint32_t kqNetPickupIndex::FirstUnpicked(Slot& slot)
{
    while (slot.cursor < slot.end && m_nets[slot.first]->m_picked)
        if (++slot.cursor < slot.end)
            slot.first = m_positions[slot.cursor];
    return slot.cursor < slot.end ? slot.first : NONE;
}
