// Answers "which unpicked net comes first in list order among the nets that
// hold any of these texts" without walking the whole list for every query.
// Each distinct text has the ascending positions of the nets holding it and
// a cursor past the positions already picked: picks only ever get added, so
// a skipped position never needs to be looked at again.
//
// On large netlists this is bound by memory latency rather than by work, so
// a text's whole entry (its characters stay put inside the list and are not
// copied) sits in one slot of an open-addressing table, and the positions of
// all texts share one array. Slots are fetched a few steps ahead of use.
#ifndef WIRELACE_NETLIST_PICKUPINDEX_H
#define WIRELACE_NETLIST_PICKUPINDEX_H

#include "netlist/netlist.h"

#include <cstddef>
#include <cstdint>
#include <list>
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

    // A text and its hash.
    struct Key
    {
        const wchar_t* data;
        size_t length;
        uint64_t hash;
    };

    // One distinct text; the nets holding it that are not known to be
    // picked are m_positions[cursor, end). A slot without text is free.
    struct Slot
    {
        const wchar_t* data = nullptr;
        uint32_t length = 0;
        uint32_t cursor = 0;
        uint64_t hash = 0;
        uint32_t end = 0;
        uint32_t first = 0; // m_positions[cursor], kept here to save a lookup
    };

    static Key MakeKey(const wxString& text);
    size_t Home(uint64_t hash) const { return static_cast<size_t>(hash) & (m_slots.size() - 1); }
    void Prefetch(const Key& key) const { __builtin_prefetch(&m_slots[Home(key.hash)]); }
    size_t Find(const Key& key) const;

    void CountHolders(std::vector<uint32_t>& slotOf);
    void LayOutPositions(const std::vector<uint32_t>& slotOf);
    uint32_t FirstUnpicked(Slot& slot);

    std::vector<kqNetList::Net*> m_nets;
    std::vector<Slot> m_slots;
    std::vector<uint32_t> m_positions; // the positions of all texts, text after text
    std::vector<Key> m_query;          // reused by every query
};

#endif
