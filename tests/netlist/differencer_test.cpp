// The comparison: which records it makes in which order, and the report's
// plain text. Colours are checked in report_gui_test.cpp.
#include "comparison.h"

#include "netlist/bytes.h"
#include "netlist/differencer.h"
#include "testutil.h"

#include <gtest/gtest.h>
#include <wx/log.h>

#include <string>
#include <vector>

using testutil::CompareAsFiles;
using testutil::NetSpecs;

namespace
{
std::string Report(const NetSpecs& file1, const NetSpecs& file2)
{
    kqNetDifferencer differencer;
    CompareAsFiles(differencer, file1, file2);
    return kqStringToBytes(differencer.GetText());
}

// One record as "status net1 net2", a missing side as "-".
std::string Describe(const kqNetDifferencer::Diff& diff)
{
    auto name = [](const kqNetList::Net* net) { return net ? kqStringToBytes(net->m_name) : "-"; };
    return std::to_string(diff.m_status) + " " + name(diff.m_net1) + " " + name(diff.m_net2);
}

std::vector<std::string> Records(const kqNetDifferencer& differencer)
{
    std::vector<std::string> records;
    for (const kqNetDifferencer::Diff& diff : differencer.m_diffs)
        records.push_back(Describe(diff));
    return records;
}
}

TEST(Differencer, WorkedExampleRecordsFollowFile1ThenUnpairedFile2)
{
    kqNetDifferencer differencer;
    CompareAsFiles(differencer, testutil::WORKED_FILE1, testutil::WORKED_FILE2);
    EXPECT_EQ(Records(differencer),
              (std::vector<std::string>{"1 GND GND", "1 N1 N2", "3 N9 -", "2 VCC VCC", "4 - N7"}));
}

TEST(Differencer, WorkedExampleReport)
{
    EXPECT_EQ(Report(testutil::WORKED_FILE1, testutil::WORKED_FILE2), testutil::WORKED_REPORT);
}

TEST(Differencer, IdenticalFilesAreAllSame)
{
    const NetSpecs nets = {{"B", {"x", "y"}}, {"A", {"z"}}};
    EXPECT_EQ(Report(nets, nets), "[[Same]]\n[A] (z) == [A] (z)\n[B] (x) (y) == [B] (x) (y)\n"
                                  "\n[[Like]]\n\n<<File 1 only>>\n\n<<File 2 only>>\n");
}

TEST(Differencer, FirstFitNotBestFit)
{
    EXPECT_EQ(Report({{"A", {"x", "y"}}, {"B", {"x"}}}, {{"P", {"x"}}, {"Q", {"x", "y"}}}),
              "[[Same]]\n"
              "\n[[Like]]\n[A] (x) <y> != [P] (x)\n[B] (x) != [Q] (x) <y>\n"
              "\n<<File 1 only>>\n\n<<File 2 only>>\n");
}

TEST(Differencer, ATakenPartnerIsNotOfferedAgain)
{
    EXPECT_EQ(Report({{"A", {"x"}}}, {{"P", {"x"}}, {"Q", {"x"}}}),
              "[[Same]]\n[A] (x) == [P] (x)\n"
              "\n[[Like]]\n\n<<File 1 only>>\n\n<<File 2 only>>\n[Q] <x>\n");
}

TEST(Differencer, RepeatedNodesPairOneToOne)
{
    EXPECT_EQ(Report({{"A", {"x", "x", "y"}}}, {{"P", {"x", "y", "y"}}}),
              "[[Same]]\n"
              "\n[[Like]]\n[A] (x) <x> (y) != [P] (x) (y) <y>\n"
              "\n<<File 1 only>>\n\n<<File 2 only>>\n");
}

TEST(Differencer, NetsWithoutNodesNeverPair)
{
    EXPECT_EQ(Report({{"E", {}}}, {{"F", {}}}),
              "[[Same]]\n\n[[Like]]\n\n<<File 1 only>>\n[E]\n\n<<File 2 only>>\n[F]\n");
}

TEST(Differencer, RecordsFollowByteOrderAndKeepEqualNames)
{
    const NetSpecs file1 = {{"a", {"1"}}, {"Net2", {"2"}}, {"B", {"3"}}, {"Net10", {"4"}},
                            {"D", {"5"}}, {"D", {"6"}}};
    EXPECT_EQ(Report(file1, {}),
              "[[Same]]\n\n[[Like]]\n\n<<File 1 only>>\n"
              "[B] <3>\n[D] <5>\n[D] <6>\n[Net10] <4>\n[Net2] <2>\n[a] <1>\n"
              "\n<<File 2 only>>\n");
}

TEST(Differencer, TheStringKeepsTheBytesOfNamesAndNodes)
{
    // Neither valid UTF-8 nor 7-bit: the string holds the bytes as read.
    EXPECT_EQ(Report({{"\xB5V", {"R\xE9"}}}, {{"\xCE\xA9", {"R\xE9"}}}),
              "[[Same]]\n[\xB5V] (R\xE9) == [\xCE\xA9] (R\xE9)\n"
              "\n[[Like]]\n\n<<File 1 only>>\n\n<<File 2 only>>\n");
}

TEST(Differencer, AnUnknownFormatGivesNoRecordAndOnlyTheHeadings)
{
    testutil::TempDir dir;
    const std::string path = dir.File("a.net");
    testutil::WriteBytes(path, testutil::WriteAs(0, {{"N", {"x"}}}));

    kqNetDifferencer first;
    EXPECT_FALSE(first.Execute(path, 3, path, 0));
    EXPECT_TRUE(first.m_list1.m_nets.empty());
    EXPECT_EQ(kqStringToBytes(first.GetText()), testutil::HEADINGS_ONLY);

    kqNetDifferencer second;
    EXPECT_FALSE(second.Execute(path, 0, path, static_cast<uint32_t>(-1)));
    EXPECT_EQ(second.m_list1.m_nets.size(), 1u);
    EXPECT_TRUE(second.m_diffs.empty());
    EXPECT_EQ(kqStringToBytes(second.GetText()), testutil::HEADINGS_ONLY);
}

TEST(Differencer, AnUnreadableFileIsAnEmptySide)
{
    wxLogNull quiet; // the toolkit logs the file it cannot open
    testutil::TempDir dir;
    const std::string path = dir.File("a.net");
    testutil::WriteBytes(path, testutil::WriteAs(0, {{"N", {"x", "y"}}}));

    kqNetDifferencer differencer;
    EXPECT_TRUE(differencer.Execute(path, 0, dir.File("missing.net"), 0));
    EXPECT_EQ(kqStringToBytes(differencer.GetText()),
              "[[Same]]\n\n[[Like]]\n\n<<File 1 only>>\n[N] <x> <y>\n\n<<File 2 only>>\n");
}

TEST(Differencer, ASecondExecuteStartsAfresh)
{
    kqNetDifferencer differencer;
    CompareAsFiles(differencer, {{"A", {"x"}}}, {{"P", {"y"}}});
    CompareAsFiles(differencer, testutil::WORKED_FILE1, testutil::WORKED_FILE2);
    EXPECT_EQ(kqStringToBytes(differencer.GetText()), testutil::WORKED_REPORT);
}

TEST(NetText, NameInSquareBracketsThenEachNodeByItsMark)
{
    kqNetList list = testutil::MakeList({{"N", {"a", "b"}}, {"E", {}}});
    list.m_nets.front().m_nodes.front().m_matched = 1;
    EXPECT_EQ(list.m_nets.front().GetText(), "[N] (a) <b>");
    EXPECT_EQ(list.m_nets.back().GetText(), "[E]");
}
