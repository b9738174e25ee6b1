// Answers "which unpicked net comes first in list order among the nets that
// hold any of these texts" without walking the whole list for every query.
// Each distinct text is a group with the ascending positions of the nets
// holding it, and a cursor past the positions already picked: picks only
// ever get added, so a skipped position never needs to be looked at again.
//
// On large netlists this is bound by memory latency rather than by work, so
// everything lives in flat arrays: a compact open-addressing table from text
// to group (the texts stay put inside the list and are not copied), the
// groups, and one array of net positions for all groups. Table slots are
// fetched ahead of their use.
#ifndef WIRELACE_NETLIST_PICKUPINDEX_H
#define WIRELACE_NETLIST_PICKUPINDEX_H

#include "netlist/netlist.h"

#include <cstddef>
#include <cstdint>
#include <list>
#include <string_view>
#include <vector>

class kqNetPickupIndex
{
public:
    // The list must not change while the index is in use.
    explicit kqNetPickupIndex(std::list<kqNetList::Net>& nets);

    size_t NetCount() const { return m_nets.size(); }

    // The first unpicked net holding any text of `net`, or null. The nodes
    // of `net` must be sorted.
    kqNetList::Net* FirstUnpickedSharing(const kqNetList::Net& net);

private:
    static constexpr uint32_t NONE = UINT32_MAX;

    // One node text with its hash and the position of its net.
    struct Holding
    {
        std::wstring_view text;
        uint64_t hash;
        uint32_t position;
    };

    // One distinct text; the nets holding it that are not known to be
    // picked are m_positions[cursor, end).
    struct Group
    {
        std::wstring_view text;
        uint32_t cursor;
        uint32_t end;
        uint32_t first; // m_positions[cursor], kept here to save a lookup
    };

    static Holding MakeHolding(const wxString& text, uint32_t position);
    size_t Slot(uint64_t hash) const { return static_cast<size_t>(hash) & (m_table.size() - 1); }
    void Prefetch(uint64_t hash) const { __builtin_prefetch(&m_table[Slot(hash)]); }

    uint32_t Find(const Holding& text, size_t* freeSlot = nullptr) const;
    void FillGroups(const std::vector<Holding>& holdings);
    void LayOutPositions(const std::vector<Holding>& holdings, const std::vector<uint32_t>& groupOf,
                         const std::vector<uint32_t>& counts);
    uint32_t FirstUnpicked(uint32_t index);

    std::vector<kqNetList::Net*> m_nets;
    std::vector<uint64_t> m_table; // see Entry() in the .cpp
    std::vector<Group> m_groups;
    std::vector<uint32_t> m_positions; // the positions of all groups, group after group
    std::vector<Holding> m_query;      // reused by every query
};

#endif
