#include "comparison.h"

#include "netlist/bytes.h"

#include <gtest/gtest.h>

#include <algorithm>

using testutil::MakeList;
using testutil::NetSpecs;

// Texts on which byte order is easy to get wrong: NUL and bytes past 7 bits,
// texts that begin others, texts alike in the eight bytes a sort key packs,
// and a few random bytes each time.
static std::vector<std::string> RandomTexts(std::mt19937& random)
{
    using namespace std::string_literals;
    std::vector<std::string> texts = {"", "\0"s, "a\0"s, "a", "ab", "\x7F", "\x80", "\xFF", "\xFF\x01",
                                      "ABCDEFGH", "ABCDEFGH\0"s, "ABCDEFGH\x80", "ABCDEFGHZ"};
    for (int extra = 0; extra < 4; ++extra)
    {
        std::string bytes(random() % 11, '\0');
        for (char& byte : bytes)
            byte = static_cast<char>(random());
        texts.push_back(bytes);
    }
    return texts;
}

// Each net as its nodes' match flags, then "+" if it is picked: "01+ 1 ".
static std::string Flags(const kqNetList& list)
{
    std::string flags;
    for (const kqNetList::Net& net : list.m_nets)
    {
        for (const kqNetList::Net::Node& node : net.m_nodes)
            flags += std::to_string(node.m_matched);
        flags += net.m_picked ? "+ " : " ";
    }
    return flags;
}

// The pairing as a plain walk over the list, to hold the indexed one to:
// the first unpicked net whose IsLike counts a node in common.
static kqNetList::PICKUP_STATUS WalkPickup(kqNetList& list, kqNetList::Net* net)
{
    uint32_t common = 0, larger = 0;
    for (kqNetList::Net& candidate : list.m_nets)
        if (!candidate.m_picked && (common = candidate.IsLike(net, larger)) > 0)
        {
            candidate.m_picked = 1;
            return common == larger ? kqNetList::PICKUP_SAME : kqNetList::PICKUP_LIKE;
        }
    return kqNetList::PICKUP_NONE;
}

TEST(NetList, IsLikeCountsCommonNodesOneToOneAndMarksThem)
{
    using Nodes = std::vector<std::string>;
    const struct { Nodes a, b; uint32_t common, larger; std::string flags; } cases[] = {
        {{"a", "b", "c"}, {"b", "c", "d"}, 2, 3, "011 110 "},
        {{"x", "x", "y"}, {"x", "y", "y"}, 2, 3, "101 110 "},
        {{"x", "x"}, {"x", "x"}, 2, 2, "11 11 "},
        {{"x", "x"}, {"x"}, 1, 2, "10 1 "},
        {{}, {"a", "b"}, 0, 2, " 00 "},
        {{"U1.1"}, {"u1.1"}, 0, 1, "0 0 "},
    };
    for (const auto& c : cases)
    {
        kqNetList list = MakeList({{"A", c.a}, {"B", c.b}});
        uint32_t larger = 99;
        EXPECT_EQ(list.m_nets.front().IsLike(&list.m_nets.back(), larger), c.common) << c.flags;
        EXPECT_EQ(larger, c.larger) << c.flags;
        EXPECT_EQ(Flags(list), c.flags);
    }
}

// std::string orders by unsigned bytes, a proper prefix first: the order
// that sorting, the merge inside IsLike and comparing nodes must all keep.
TEST(NetList, SortIsLikeAndNodeOrderKeepTheOrderOfTheBytes)
{
    std::mt19937 random(1206);
    for (int round = 0; round < 1000; ++round)
    {
        const std::vector<std::string> texts = RandomTexts(random);
        using Node = kqNetList::Net::Node;
        for (const std::string& a : texts)
            for (const std::string& b : texts)
                ASSERT_EQ(Node(kqBytesToString(a)) < Node(kqBytesToString(b)), a < b) << round;
        NetSpecs nets = testutil::RandomNets(random, texts);
        kqNetList list = MakeList(nets);
        list.Sort();
        std::stable_sort(nets.begin(), nets.end(),
                         [](const auto& a, const auto& b) { return a.name < b.name; });
        for (testutil::NetSpec& net : nets)
            std::sort(net.nodes.begin(), net.nodes.end());
        ASSERT_EQ(testutil::Describe(list), nets) << round;
        // IsLike counts each text as often as both nets hold it.
        auto net = nets.begin();
        for (kqNetList::Net& sorted : list.m_nets)
        {
            std::vector<std::string> common;
            std::set_intersection(net->nodes.begin(), net->nodes.end(), nets[0].nodes.begin(),
                                  nets[0].nodes.end(), std::back_inserter(common));
            uint32_t larger = 0;
            ASSERT_EQ(sorted.IsLike(&list.m_nets.front(), larger), common.size()) << round;
            ++net;
        }
    }
}

// The walk takes the first unpicked net whose IsLike counts a common node,
// whether or not the nodes are sorted; indexed pairing must do the same.
TEST(NetList, PickupMatchesAPlainWalkOnRandomListsSortedOrNot)
{
    kqNetList unsorted = MakeList({{"P", {"b", "a"}}, {"Q", {"a"}}});
    kqNetList::Net asked = MakeList({{"N", {"a", "c"}}}).m_nets.front();
    kqNetList::PICKUP_STATUS status;
    EXPECT_EQ(unsorted.Pickup(&asked, status), &unsorted.m_nets.back());
    EXPECT_EQ(status, kqNetList::PICKUP_LIKE);

    std::mt19937 random(20261206);
    for (int round = 0; round < 3000; ++round)
    {
        const std::vector<std::string> texts = RandomTexts(random);
        const NetSpecs first = testutil::RandomNets(random, texts);
        const NetSpecs second = testutil::RandomNets(random, texts);
        kqNetList indexed1 = MakeList(first), indexed2 = MakeList(second);
        kqNetList walked1 = MakeList(first), walked2 = MakeList(second);
        if (round % 2 == 0)
            for (kqNetList* list : {&indexed1, &indexed2, &walked1, &walked2})
                list->Sort();
        auto walkedNet = walked1.m_nets.begin();
        for (kqNetList::Net& net : indexed1.m_nets)
        {
            indexed2.Pickup(&net, status);
            // Each pickup marks one more net picked: equal flags, equal choice.
            ASSERT_EQ(status, WalkPickup(walked2, &*walkedNet++)) << round;
            ASSERT_EQ(Flags(indexed1), Flags(walked1)) << round;
            ASSERT_EQ(Flags(indexed2), Flags(walked2)) << round;
        }
    }
}
