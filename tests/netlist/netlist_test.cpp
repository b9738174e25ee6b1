#include "netlist/bytes.h"
#include "netlist/netlist.h"
#include "testutil.h"

#include <gtest/gtest.h>

#include <random>

using testutil::Describe;
using testutil::MakeList;
using testutil::NetSpecs;

namespace
{
kqNetList::Net MakeNet(const std::vector<std::string>& nodes)
{
    return MakeList({{"N", nodes}}).m_nets.front();
}

std::vector<int> Flags(const kqNetList::Net& net)
{
    std::vector<int> flags;
    for (const auto& node : net.m_nodes)
        flags.push_back(node.m_matched);
    return flags;
}

std::vector<std::string> Names(const kqNetList& list)
{
    std::vector<std::string> names;
    for (const auto& net : list.m_nets)
        names.push_back(kqStringToBytes(net.m_name));
    return names;
}
}

TEST(NetListSort, NamesAndNodesInByteOrder)
{
    kqNetList list = MakeList({{"Net2", {}},
                               {"net1", {}},
                               {"Net10", {"U1.10", "U1.2", "R1.1", "u1.1"}},
                               {"Net", {}},
                               {"GND", {}},
                               {"\xE4", {}},
                               {"z", {}}});
    EXPECT_TRUE(list.Sort());
    EXPECT_EQ(Names(list),
              (std::vector<std::string>{"GND", "Net", "Net10", "Net2", "net1", "z", "\xE4"}));
    EXPECT_EQ(Describe(list)[2].nodes, (std::vector<std::string>{"R1.1", "U1.10", "U1.2", "u1.1"}));
}

TEST(NetListSort, EqualNamesKeepFileOrder)
{
    kqNetList list = MakeList({{"N", {"p"}}, {"M", {}}, {"N", {"p", "q"}}});
    list.Sort();
    EXPECT_EQ(Describe(list), (NetSpecs{{"M", {}}, {"N", {"p"}}, {"N", {"p", "q"}}}));
}

TEST(NetIsLike, CountsCommonNodesAndMarksThem)
{
    struct Case
    {
        std::vector<std::string> a, b;
        uint32_t common, larger;
        std::vector<int> flagsA, flagsB;
    };
    const Case cases[] = {
        {{"a", "b", "c"}, {"b", "c", "d"}, 2, 3, {0, 1, 1}, {1, 1, 0}},
        {{"x", "x", "y"}, {"x", "y", "y"}, 2, 3, {1, 0, 1}, {1, 1, 0}},
        {{"x", "x"}, {"x", "x"}, 2, 2, {1, 1}, {1, 1}},
        {{"x", "x"}, {"x"}, 1, 2, {1, 0}, {1}},
        {{"a", "b"}, {"a", "b", "c"}, 2, 3, {1, 1}, {1, 1, 0}},
        {{}, {"a", "b"}, 0, 2, {}, {0, 0}},
        {{"U1.1"}, {"u1.1"}, 0, 1, {0}, {0}},
    };
    for (const Case& c : cases)
    {
        kqNetList::Net a = MakeNet(c.a), b = MakeNet(c.b);
        uint32_t larger = 99;
        EXPECT_EQ(a.IsLike(&b, larger), c.common);
        EXPECT_EQ(larger, c.larger);
        EXPECT_EQ(Flags(a), c.flagsA);
        EXPECT_EQ(Flags(b), c.flagsB);
    }
}

TEST(NetListPickup, FirstUnpickedNetSharingANodeWins)
{
    // A takes P, though Q would be an exact match; B then skips picked P.
    kqNetList file1 = MakeList({{"A", {"x", "y"}}, {"B", {"x"}}});
    kqNetList file2 = MakeList({{"P", {"x"}}, {"Q", {"x", "y"}}});
    kqNetList::PICKUP_STATUS status = kqNetList::PICKUP_NONE;

    kqNetList::Net* first = file2.Pickup(&file1.m_nets.front(), status);
    ASSERT_EQ(first, &file2.m_nets.front());
    EXPECT_EQ(status, kqNetList::PICKUP_LIKE);

    kqNetList::Net* second = file2.Pickup(&file1.m_nets.back(), status);
    ASSERT_EQ(second, &file2.m_nets.back());
    EXPECT_EQ(status, kqNetList::PICKUP_LIKE);
    EXPECT_EQ(Flags(*second), (std::vector<int>{1, 0}));
    EXPECT_EQ(file2.m_nets.front().m_picked, 1);
    EXPECT_EQ(file1.m_nets.front().m_picked, 0);
}

TEST(NetListPickup, NamesDoNotCountAndEmptyNetsNeverPair)
{
    kqNetList list = MakeList({{"EMPTY", {}}, {"SYSCLK", {"U1.3", "U2.5"}}});
    kqNetList::Net clk = MakeNet({"U1.3", "U2.5"});
    kqNetList::PICKUP_STATUS status = kqNetList::PICKUP_NONE;
    EXPECT_EQ(list.Pickup(&clk, status), &list.m_nets.back());
    EXPECT_EQ(status, kqNetList::PICKUP_SAME);

    kqNetList::Net empty = MakeNet({});
    EXPECT_EQ(list.Pickup(&empty, status), nullptr);
    EXPECT_EQ(status, kqNetList::PICKUP_NONE);
    // Everything that shares a node is picked now.
    kqNetList::Net again = MakeNet({"U1.3"});
    status = kqNetList::PICKUP_SAME;
    EXPECT_EQ(list.Pickup(&again, status), nullptr);
    EXPECT_EQ(status, kqNetList::PICKUP_NONE);
    EXPECT_EQ(Flags(again), (std::vector<int>{0}));
}

// The pairing as a plain walk over the list, to hold the indexed one to.
static kqNetList::Net* WalkPickup(kqNetList& list, kqNetList::Net* net,
                                  kqNetList::PICKUP_STATUS& status)
{
    for (kqNetList::Net& candidate : list.m_nets)
    {
        if (candidate.m_picked)
            continue;
        uint32_t larger = 0;
        const uint32_t common = candidate.IsLike(net, larger);
        if (common == 0)
            continue;
        status = common == larger ? kqNetList::PICKUP_SAME : kqNetList::PICKUP_LIKE;
        candidate.m_picked = 1;
        return &candidate;
    }
    status = kqNetList::PICKUP_NONE;
    return nullptr;
}

static NetSpecs RandomNets(std::mt19937& random)
{
    const char* texts[] = {"a", "b", "c", "d", "e", "f"};
    const char* names[] = {"N", "M", "K"};
    NetSpecs nets(random() % 7);
    for (auto& net : nets)
    {
        net.name = names[random() % 3];
        net.nodes.resize(random() % 5);
        for (auto& node : net.nodes)
            node = texts[random() % 6];
    }
    return nets;
}

// The net's position in its list, or -1 for null.
static int PositionOf(const kqNetList& list, const kqNetList::Net* net)
{
    int position = 0;
    for (const auto& candidate : list.m_nets)
    {
        if (&candidate == net)
            return position;
        ++position;
    }
    return -1;
}

static std::vector<std::vector<int>> AllFlags(const kqNetList& list)
{
    std::vector<std::vector<int>> flags;
    for (const auto& net : list.m_nets)
    {
        flags.push_back(Flags(net));
        flags.back().push_back(net.m_picked);
    }
    return flags;
}

TEST(NetListPickup, MatchesAPlainWalkOnRandomLists)
{
    std::mt19937 random(20261206);
    for (int round = 0; round < 3000; ++round)
    {
        const NetSpecs first = RandomNets(random), second = RandomNets(random);
        kqNetList indexed1 = MakeList(first), indexed2 = MakeList(second);
        kqNetList walked1 = MakeList(first), walked2 = MakeList(second);
        for (kqNetList* list : {&indexed1, &indexed2, &walked1, &walked2})
            list->Sort();

        auto walkedNet = walked1.m_nets.begin();
        for (auto& net : indexed1.m_nets)
        {
            kqNetList::PICKUP_STATUS indexedStatus, walkedStatus;
            kqNetList::Net* indexed = indexed2.Pickup(&net, indexedStatus);
            kqNetList::Net* walked = WalkPickup(walked2, &*walkedNet++, walkedStatus);
            ASSERT_EQ(indexedStatus, walkedStatus) << "round " << round;
            ASSERT_EQ(PositionOf(indexed2, indexed), PositionOf(walked2, walked))
                << "round " << round;
        }
        ASSERT_EQ(AllFlags(indexed1), AllFlags(walked1)) << "round " << round;
        ASSERT_EQ(AllFlags(indexed2), AllFlags(walked2)) << "round " << round;
    }
}
