// Answers "which unpicked nets, in list order, hold any of these texts"
// without walking the whole list for every query. Each distinct text has
// the ascending positions of the nets holding it and a cursor past the
// positions already picked: picks only ever get added, so a skipped
// position never needs to be looked at again.
//
// The index only narrows the search: texts are told apart by a 64-bit hash
// alone, so two texts that happen to share one look like one text, and a
// net may be offered that holds neither. The caller counts what each net
// offered really shares (kqNetList::Net::IsLike) and passes over one that
// shares nothing, so the answer is exactly that of a walk over the list; the
// index keeps no text and never compares one.
//
// On large netlists this is bound by memory latency rather than by work, so
// a text's whole entry sits in one small slot of an open-addressing table,
// and the positions of all texts share one array. Slots are fetched a few
// steps ahead of use.
//
// What it assumes of a list that changes between queries: it keeps a
// pointer to every net and nothing that points into a net. So nets may be
// appended (the owner then builds a fresh index, as kqNetList::Pickup does
// when the count of nets changes), but no net may be removed while the index
// lives; the netlist promises that anyway, as every net keeps its address
// from sorting on. A net whose nodes change after the index was built is
// offered by the texts it held then and judged by the nodes it holds now,
// so such a change can make Pickup miss a net that the walk would take;
// Sort builds the index afresh.
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
    explicit kqNetPickupIndex(std::list<kqNetList::Net>& nets);

    size_t NetCount() const { return m_nets.size(); }

    // Starts a query for the texts of `net`, sorted or not.
    void Ask(const kqNetList::Net& net);
    // The next net, in list order, that is unpicked and holds a text asked
    // for (or one with the same hash); each such net once per query, null
    // when none is left.
    kqNetList::Net* Next();

private:
    static constexpr uint32_t NONE = UINT32_MAX;

    // One distinct hash; the nets holding a text with it that are not known
    // to be picked are m_positions[cursor, end). A slot whose hash is 0 is
    // free; no text hashes to 0.
    struct Slot
    {
        uint64_t hash = 0;
        uint32_t cursor = 0;
        uint32_t end = 0;
        uint32_t first = 0; // m_positions[cursor], kept here to save a lookup
    };

    // A text of the current query: its slot, and its own cursor over the
    // slot's positions, which passes nets offered but not taken.
    struct Asked
    {
        size_t slot;
        uint32_t cursor;
        uint32_t position; // m_positions[cursor], or NONE past the end
    };

    static uint64_t Hash(const wxString& text);
    size_t Home(uint64_t hash) const { return static_cast<size_t>(hash) & (m_slots.size() - 1); }
    void Prefetch(uint64_t hash) const { __builtin_prefetch(&m_slots[Home(hash)]); }
    size_t Find(uint64_t hash) const;

    void CountHolders(std::vector<uint32_t>& slotOf);
    void LayOutPositions(const std::vector<uint32_t>& slotOf);
    uint32_t FirstUnpicked(Slot& slot);
    void PassOver(Asked& asked);

    std::vector<kqNetList::Net*> m_nets;
    std::vector<Slot> m_slots;
    std::vector<uint32_t> m_positions; // the positions of all texts, text after text
    std::vector<uint64_t> m_hashes;    // reused by every query
    std::vector<Asked> m_asked;        // the current query
    uint32_t m_offered = NONE;         // the net Next returned last
};

#endif
