#include "netlist/netlist.h"

#include "netlist/pickupindex.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
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
    // One comparison a step, in the order of Node::operator< (byte order).
    auto view = [](const Node& node)
    { return std::wstring_view(node.m_text.wx_str(), node.m_text.length()); };
    while (mine != m_nodes.end() && theirs != other->m_nodes.end())
    {
        const int order = view(*mine).compare(view(*theirs));
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
// A list element with its sort key at hand: the text, and its first eight
// characters packed into one number that orders the same way, so that most
// comparisons never leave the array.
template <typename Iterator> struct Keyed
{
    uint64_t prefix;
    bool packed; // false when a character past 255 (which no file gives) kept it from packing
    std::wstring_view text;
    Iterator element;

    bool operator<(const Keyed& other) const
    {
        if (packed && other.packed && prefix != other.prefix)
            return prefix < other.prefix;
        return text < other.text;
    }
};

// The first eight characters, one byte each, the first in the highest byte,
// shorter texts padded with 0.
bool PackPrefix(std::wstring_view text, uint64_t& prefix)
{
    prefix = 0;
    for (size_t i = 0; i < 8; ++i)
    {
        const wchar_t c = i < text.size() ? text[i] : 0;
        if (c < 0 || c > 0xFF)
            return false;
        prefix = (prefix << 8) | static_cast<uint8_t>(c);
    }
    return true;
}

template <typename Iterator> Keyed<Iterator> MakeKeyed(const wxString& text, Iterator element)
{
    const std::wstring_view view(text.wx_str(), text.length());
    Keyed<Iterator> keyed{0, false, view, element};
    keyed.packed = PackPrefix(view, keyed.prefix);
    return keyed;
}

// Puts the elements of `list`, all of them keyed in `keys` in list order,
// into the stable byte order of their keys (wxString::Cmp order, as every
// character is below 256). Merging a list chases links at every step;
// sorting the keys in an array and relinking once is much faster.
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
