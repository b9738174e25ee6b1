#include "netlist/netlist.h"

#include "netlist/pickupindex.h"

#include <algorithm>
#include <cstdint>
#include <vector>

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
        const int order = kqTextOrder::Compare(mine->m_text, theirs->m_text);
        if (order == 0)
        {
            mine->m_matched = 1;
            theirs->m_matched = 1;
            ++common;
            ++mine;
            ++theirs;
        }
        else if (order < 0)
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

namespace
{
// A list element with its sort key at hand, so that most comparisons never
// leave the array.
template <typename Iterator> struct Keyed
{
    kqTextOrder::Key key;
    Iterator element;

    bool operator<(const Keyed& other) const { return key < other.key; }
};

template <typename Iterator> Keyed<Iterator> MakeKeyed(const wxString& text, Iterator element)
{
    return {kqTextOrder::Key(text), element};
}

// Puts the elements of `list`, all of them keyed in `keys` in list order,
// into the stable byte order of their keys. Merging a list chases links at
// every step; sorting the keys in an array and relinking once is much faster.
template <typename T>
void SortByKeys(std::list<T>& list, std::vector<Keyed<typename std::list<T>::iterator>>& keys)
{
    if (std::is_sorted(keys.begin(), keys.end()))
        return;
    // Most nets hold a handful of nodes: insertion sort, stable and without
    // the buffer std::stable_sort allocates on every call.
    if (keys.size() <= 16)
        for (auto it = keys.begin() + 1; it != keys.end(); ++it)
            std::rotate(std::upper_bound(keys.begin(), it, *it), it, it + 1);
    else
        std::stable_sort(keys.begin(), keys.end());
    for (const auto& keyed : keys)
        list.splice(list.end(), list, keyed.element);
}
}

bool kqNetList::Sort()
{
    // One walk over the nets in file order, the order they lie in memory:
    // each net's nodes are sorted while the net is at hand, and its name is
    // keyed for sorting the nets afterwards.
    std::vector<Keyed<std::list<Net>::iterator>> nets;
    std::vector<Keyed<std::list<Net::Node>::iterator>> nodes;
    nets.reserve(m_nets.size());
    for (auto net = m_nets.begin(); net != m_nets.end(); ++net)
    {
        nodes.clear();
        for (auto node = net->m_nodes.begin(); node != net->m_nodes.end(); ++node)
            nodes.push_back(MakeKeyed(node->m_text, node));
        SortByKeys(net->m_nodes, nodes);
        nets.push_back(MakeKeyed(net->m_name, net));
    }
    SortByKeys(m_nets, nets);
    m_pickupIndex.reset();
    return true;
}

kqNetList::Net* kqNetList::Pickup(Net* net, PICKUP_STATUS& status)
{
    // A list that grew since the index was built gets a fresh one.
    if (!m_pickupIndex || m_pickupIndex->NetCount() != m_nets.size())
        m_pickupIndex = std::make_unique<kqNetPickupIndex>(m_nets);

    // The index offers, in list order, the unpicked nets that may hold a text
    // of `net`: only they can share a node. Like a walk over the whole list,
    // pass over one whose count comes out 0, as unsorted nodes, or a net
    // offered for a text that merely shares a hash, can give.
    m_pickupIndex->Ask(*net);
    while (Net* candidate = m_pickupIndex->Next())
    {
        uint32_t larger = 0;
        const uint32_t common = candidate->IsLike(net, larger);
        if (common == 0)
            continue;
        status = common == larger ? PICKUP_SAME : PICKUP_LIKE;
        candidate->m_picked = 1;
        return candidate;
    }
    status = PICKUP_NONE;
    return nullptr;
}
