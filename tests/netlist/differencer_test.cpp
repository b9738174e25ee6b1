// The comparison: the report's plain text, and what every comparison must
// hold. Colours are checked in report_gui_test.cpp.
#include "comparison.h"

#include "netlist/bytes.h"

#include <gtest/gtest.h>

#include <set>

using testutil::CompareAsFiles;

TEST(Differencer, FirstFitThenAFreshStartOnTheWorkedExample)
{
    kqNetDifferencer differencer;
    // A takes P, though Q would be an exact match; bytes stay as read.
    CompareAsFiles(differencer, {{"A\xB5", {"x", "y"}}, {"B", {"x"}}},
                   {{"P", {"x"}}, {"Q", {"x", "y"}}});
    EXPECT_EQ(kqStringToBytes(differencer.GetText()),
              "[[Same]]\n\n[[Like]]\n[A\xB5] (x) <y> != [P] (x)\n[B] (x) != [Q] (x) <y>\n"
              "\n<<File 1 only>>\n\n<<File 2 only>>\n");
    CompareAsFiles(differencer, testutil::WORKED_FILE1, testutil::WORKED_FILE2);
    EXPECT_EQ(kqStringToBytes(differencer.GetText()), testutil::WORKED_REPORT);
}

TEST(Differencer, AnUnknownFormatGivesNoRecordAndOnlyTheHeadings)
{
    testutil::TempDir dir;
    const std::string path = dir.File("a.net");
    testutil::WriteBytes(path, "N x\n");
    for (const auto& [mode1, mode2] : {std::pair<uint32_t, uint32_t>{3, 0}, {0, UINT32_MAX}})
    {
        kqNetDifferencer differencer;
        EXPECT_FALSE(differencer.Execute(path, mode1, path, mode2));
        EXPECT_TRUE(differencer.m_diffs.empty());
        EXPECT_EQ(kqStringToBytes(differencer.GetText()), testutil::HEADINGS_ONLY);
    }
}

// Every net has one record, no net two, and "same" means the same nodes.
TEST(Differencer, RandomComparisonsHoldTheirProperties)
{
    std::mt19937 random(42);
    for (int round = 0; round < 300; ++round)
    {
        kqNetDifferencer differencer;
        CompareAsFiles(differencer, testutil::RandomNets(random), testutil::RandomNets(random));
        std::set<const kqNetList::Net*> seen;
        for (const kqNetDifferencer::Diff& diff : differencer.m_diffs)
        {
            for (const kqNetList::Net* net : {diff.m_net1, diff.m_net2})
                ASSERT_TRUE(net == nullptr || seen.insert(net).second) << round;
            // Nodes are sorted: equal lists are the same nodes, each as often.
            const int status = !diff.m_net1 ? 4 : !diff.m_net2 ? 3
                               : diff.m_net1->m_nodes == diff.m_net2->m_nodes ? 1 : 2;
            ASSERT_EQ(diff.m_status, status) << round;
        }
        const size_t nets = differencer.m_list1.m_nets.size() + differencer.m_list2.m_nets.size();
        ASSERT_EQ(seen.size(), nets) << round;
    }
}
