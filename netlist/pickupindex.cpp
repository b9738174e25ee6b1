#include "netlist/pickupindex.h"

#include "netlist/textorder.h"

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

void kqNetPickupIndex::Ask(const kqNetList::Net& net)
{
    // Sorted nodes put equal texts side by side; one lookup each. All slots
    // are asked for before the first is used.
    m_hashes.clear();
    const wxString* previous = nullptr;
    for (const kqNetList::Net::Node& node : net.m_nodes)
    {
        if (previous && kqTextOrder::Equal(*previous, node.m_text))
            continue;
        previous = &node.m_text;
        m_hashes.push_back(Hash(node.m_text));
        Prefetch(m_hashes.back());
    }
    m_asked.clear();
    m_offered = NONE;
    for (const uint64_t hash : m_hashes)
    {
        const size_t at = Find(hash);
        Slot& slot = m_slots[at];
        if (slot.hash == 0)
            continue;
        const uint32_t position = FirstUnpicked(slot);
        m_asked.push_back({at, slot.cursor, position});
    }
}

kqNetList::Net* kqNetPickupIndex::Next()
{
    // The net offered last was not taken: its texts go on to their next
    // holders. With sorted nodes that happens only when two texts share a
    // hash.
    if (m_offered != NONE)
        for (Asked& asked : m_asked)
            if (asked.position == m_offered)
                PassOver(asked);
    uint32_t best = NONE;
    for (const Asked& asked : m_asked)
        if (asked.position < best)
            best = asked.position;
    m_offered = best;
    return best != NONE ? m_nets[best] : nullptr;
}

uint64_t kqNetPickupIndex::Hash(const wxString& text)
{
    const uint64_t hash = std::hash<std::wstring_view>()(kqTextOrder::View(text));
    return hash != 0 ? hash : 1; // 0 marks a free slot
}

// The slot of the hash, or the free slot where it would go.
size_t kqNetPickupIndex::Find(uint64_t hash) const
{
    const size_t mask = m_slots.size() - 1;
    for (size_t at = Home(hash);; at = (at + 1) & mask)
    {
        const uint64_t held = m_slots[at].hash;
        if (held == 0 || held == hash)
            return at;
    }
}

// Gives every text its slot, node by node in list order, and counts the
// nets holding it in `end`, the last of them kept in `first` meanwhile.
void kqNetPickupIndex::CountHolders(std::vector<uint32_t>& slotOf)
{
    struct Pending
    {
        uint64_t hash;
        uint32_t position;
    };
    Pending ahead[AHEAD];
    size_t made = 0;
    size_t used = 0;
    auto take = [&](const Pending& pending) {
        const size_t at = Find(pending.hash);
        Slot& slot = m_slots[at];
        if (slot.hash == 0)
        {
            slot.hash = pending.hash;
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
            next = {Hash(node.m_text), position};
            Prefetch(next.hash);
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
        if (slot.hash != 0)
            slot.first = m_positions[slot.cursor];
}

uint32_t kqNetPickupIndex::FirstUnpicked(Slot& slot)
{
    while (slot.cursor < slot.end && m_nets[slot.first]->m_picked)
        if (++slot.cursor < slot.end)
            slot.first = m_positions[slot.cursor];
    return slot.cursor < slot.end ? slot.first : NONE;
}

// Moves a text of the query past the net it was offered with, to its next
// unpicked holder; only for this query, as that net may suit another.
void kqNetPickupIndex::PassOver(Asked& asked)
{
    const Slot& slot = m_slots[asked.slot];
    do
        ++asked.cursor;
    while (asked.cursor < slot.end && m_nets[m_positions[asked.cursor]]->m_picked);
    asked.position = asked.cursor < slot.end ? m_positions[asked.cursor] : NONE;
}
