// Properties every comparison must have, over many random pairs of files:
// each net of file 1 gets exactly one record, no net of file 2 is listed
// twice, and a "same" pair holds the same nodes, each as often.
#include "comparison.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>

using testutil::NetSpecs;

namespace
{
NetSpecs RandomNets(std::mt19937& random)
{
    const char* names[] = {"A", "B", "C", "N1", "N10", "n2"};
    NetSpecs nets(random() % 10);
    for (auto& net : nets)
    {
        net.name = names[random() % 6];
        net.nodes.resize(random() % 5);
        for (auto& node : net.nodes)
            node = "U" + std::to_string(random() % 6);
    }
    return nets;
}

std::vector<wxString> SortedTexts(const kqNetList::Net& net)
{
    std::vector<wxString> texts;
    for (const auto& node : net.m_nodes)
        texts.push_back(node.m_text);
    std::sort(texts.begin(), texts.end());
    return texts;
}
}

TEST(ComparisonProperties, HoldForRandomFiles)
{
    using Diff = kqNetDifferencer::Diff;
    std::mt19937 random(42);
    for (int round = 0; round < 300; ++round)
    {
        kqNetDifferencer differencer;
        testutil::CompareAsFiles(differencer, RandomNets(random), RandomNets(random));
        std::map<const kqNetList::Net*, int> seen1, seen2;
        for (const Diff& diff : differencer.m_diffs)
        {
            if (diff.m_net1)
                ++seen1[diff.m_net1];
            if (diff.m_net2)
                ++seen2[diff.m_net2];
            ASSERT_EQ(diff.m_net1 == nullptr, diff.m_status == Diff::STATUS_FILE2_ONLY);
            ASSERT_EQ(diff.m_net2 == nullptr, diff.m_status == Diff::STATUS_FILE1_ONLY);
            if (diff.m_status == Diff::STATUS_SAME || diff.m_status == Diff::STATUS_LIKE)
            {
                const bool sameNodes = SortedTexts(*diff.m_net1) == SortedTexts(*diff.m_net2);
                ASSERT_EQ(sameNodes, diff.m_status == Diff::STATUS_SAME) << round;
            }
        }
        ASSERT_EQ(seen1.size(), differencer.m_list1.m_nets.size()) << round;
        ASSERT_EQ(seen2.size(), differencer.m_list2.m_nets.size()) << round;
        for (const auto& [net, count] : seen1)
            ASSERT_EQ(count, 1) << round;
        for (const auto& [net, count] : seen2)
            ASSERT_EQ(count, 1) << round;
    }
}
