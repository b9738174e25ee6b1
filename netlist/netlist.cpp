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

// Sorts `list` stably by the text `key` gives for an element, in byte order
// (wxString::Cmp order, as every character is below 256). Merging a list
// chases links at every step; sorting the keys in an array and relinking
// once is much faster on large netlists. `scratch` is reused.
template <typename T, typename Key>
void SortByText(std::list<T>& list, Key key, std::vector<Keyed<typename std::list<T>::iterator>>& scratch)
{
    if (list.size() < 2)
        return;
    scratch.clear();
    for (auto it = list.begin(); it != list.end(); ++it)
    {
        const wxString& text = key(*it);
        const std::wstring_view view(text.wx_str(), text.length());
        Keyed<typename std::list<T>::iterator> keyed{0, false, view, it};
        keyed.packed = PackPrefix(view, keyed.prefix);
        scratch.push_back(keyed);
    }
    if (std::is_sorted(scratch.begin(), scratch.end()))
        return;
    // Most nets hold a handful of nodes: insertion sort, stable and without
    // the buffer std::stable_sort allocates on every call.
    if (scratch.size() <= 16)
        for (auto it = scratch.begin() + 1; it != scratch.end(); ++it)
            std::rotate(std::upper_bound(scratch.begin(), it, *it), it, it + 1);
    else
        std::stable_sort(scratch.begin(), scratch.end());
    for (const auto& keyed : scratch)
        list.splice(list.end(), list, keyed.element);
}
}

bool kqNetList::Sort()
{
    std::vector<Keyed<std::list<Net>::iterator>> nets;
    SortByText(m_nets, [](const Net& net) -> const wxString& { return net.m_name; }, nets);
    std::vector<Keyed<std::list<Net::Node>::iterator>> nodes;
    for (Net& net : m_nets)
        SortByText(net.m_nodes, [](const Net::Node& node) -> const wxString& { return node.m_text; }, nodes);
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
