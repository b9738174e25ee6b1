#include "netlist/bytes.h"
#include "netlist/converter.h"
#include "netlist/mode.h"
#include "netlist/reader.h"
#include "netlist/writer.h"

#include "testutil.h"

#include <gtest/gtest.h>
#include <wx/tokenzr.h>

#include <algorithm>
#include <memory>

using testutil::NetSpecs;
using testutil::ReadAs;
using testutil::WriteAs;

namespace
{
const uint32_t PADS = 1;

const char WORKED_EXAMPLE_IN[] = "*PADS*\n"
                                 "U1 DIP14\n"
                                 "*NET*\n"
                                 "*SIGNAL* GND\n"
                                 "U1.7 C3.2\n"
                                 "  R1.2\n"
                                 "\n"
                                 "*SIG VCC\n"
                                 "U1.14\tU2.14\n"
                                 "*END*\n";

const NetSpecs WORKED_EXAMPLE_NETS = {{"GND", {"U1.7", "C3.2", "R1.2"}},
                                      {"VCC", {"U1.14", "U2.14"}}};

const char WORKED_EXAMPLE_OUT[] = "*PADS*\n\n*NET*\n\n"
                                  "*SIG GND\nU1.7\tC3.2\tR1.2\n\n"
                                  "*SIG VCC\nU1.14\tU2.14\n\n"
                                  "*END*\n";

// Nodes "N1" to "N<count>".
std::vector<std::string> Nodes(int count)
{
    std::vector<std::string> nodes;
    for (int i = 1; i <= count; ++i)
        nodes.push_back("N" + std::to_string(i));
    return nodes;
}

std::string WrittenNet(const testutil::NetSpec& net)
{
    const std::string file = WriteAs(PADS, {net});
    const std::string head = "*PADS*\n\n*NET*\n\n";
    const std::string tail = "*END*\n";
    EXPECT_EQ(file.substr(0, head.size()), head);
    EXPECT_EQ(file.substr(file.size() - tail.size()), tail);
    return file.substr(head.size(), file.size() - head.size() - tail.size());
}
}

TEST(PadsFormat, RegisteredAsFormatOne)
{
    std::unique_ptr<kqNetListReader> reader(kqNetMode::GetReader(PADS));
    ASSERT_TRUE(reader);
    EXPECT_EQ(reader->GetClassInfo()->GetClassName(), wxString("kqNetPadsReader"));
    std::unique_ptr<kqNetListWriter> writer(kqNetMode::GetWriter(PADS));
    ASSERT_TRUE(writer);
    EXPECT_EQ(writer->GetClassInfo()->GetClassName(), wxString("kqNetPadsWriter"));
}

// --- Reading -------------------------------------------------------------

TEST(PadsReader, WorkedExample)
{
    EXPECT_EQ(ReadAs(PADS, WORKED_EXAMPLE_IN), WORKED_EXAMPLE_NETS);
}

TEST(PadsReader, SigAndSignalOpenANetNamedAfterTheSecondWord)
{
    EXPECT_EQ(ReadAs(PADS, "*SIG GND VCC\nA\n"), (NetSpecs{{"GND", {"A"}}}));
    EXPECT_EQ(ReadAs(PADS, "*SIGNAL* GND\tVCC\nA\n"), (NetSpecs{{"GND", {"A"}}}));
    // Without a name the net is nameless, and the next line is its node.
    EXPECT_EQ(ReadAs(PADS, "*SIG\nGND\n"), (NetSpecs{{"", {"GND"}}}));
    EXPECT_EQ(ReadAs(PADS, "*SIGNAL*  \nA B\n"), (NetSpecs{{"", {"A", "B"}}}));
}

TEST(PadsReader, KeywordsAreMatchedExactly)
{
    // Each closes GND but opens nothing; its node lines are ignored.
    for (const char* keyword :
         {"*sig X", "*Signal* X", "*SIG*", "*SIGNAL", "*SIGNALS* X", "*signal* X"})
    {
        const std::string in = std::string("*SIG GND\nA\n") + keyword + "\nB C\n*SIG VCC\nD\n";
        EXPECT_EQ(ReadAs(PADS, in), (NetSpecs{{"GND", {"A"}}, {"VCC", {"D"}}})) << keyword;
    }
}

TEST(PadsReader, EveryStarLineClosesTheNet)
{
    for (const char* line : {"*NET*", "*END*", "*", "*PART*", "*CONNECTION*", "*MISC* X", "\t*x"})
    {
        const std::string in = std::string("*SIG A\nN1\n") + line + "\nN2\n";
        EXPECT_EQ(ReadAs(PADS, in), (NetSpecs{{"A", {"N1"}}})) << line;
    }
}

TEST(PadsReader, OnlyTheFirstWordCanBeAKeyword)
{
    EXPECT_EQ(ReadAs(PADS, "  *SIG GND\nU1.7 *SIG\n\t*NET* U2\n"),
              (NetSpecs{{"GND", {"U1.7", "*SIG"}}}));
}

TEST(PadsReader, LinesOutsideANetAreIgnored)
{
    EXPECT_EQ(ReadAs(PADS, "U1 DIP14\n*PART*\nU2 SO8\n*NET*\nA.1 B.2\n"), NetSpecs{});
    EXPECT_EQ(ReadAs(PADS, ""), NetSpecs{});
    EXPECT_EQ(ReadAs(PADS, "*PADS*\n\n*NET*\n\n*END*\n"), NetSpecs{});
}

TEST(PadsReader, EmptyLinesKeepTheNetOpenAndTheEndOfFileClosesIt)
{
    EXPECT_EQ(ReadAs(PADS, "*SIG A\n\nN1\n \t \n\nN2"), (NetSpecs{{"A", {"N1", "N2"}}}));
    EXPECT_EQ(ReadAs(PADS, "*SIG A"), (NetSpecs{{"A", {}}}));
}

TEST(PadsReader, OnlySpaceTabCrAndLfSeparateWords)
{
    // Form feed, vertical tab, NUL and no-break space are part of a word.
    const char in[] = "*SIG A\xA0" "B\nx\fy\vz \xA0 p\0q\n";
    EXPECT_EQ(ReadAs(PADS, std::string(in, sizeof in - 1)),
              (NetSpecs{{"A\xA0" "B", {"x\fy\vz", "\xA0", std::string("p\0q", 3)}}}));
}

TEST(PadsReader, CutsWordsAsTheToolkitTokenizerDoes)
{
    const std::string lines[] = {"a b",        "  a\t\tb  ", "\ta \t b\t", "a\rb",
                                 "\xA0 \xFF\x85", "a\fb\vc",    "\t",          "x;y,z(1)"};
    for (const std::string& line : lines)
    {
        testutil::NetSpec expected{"X", {"N"}};
        wxStringTokenizer words(kqBytesToString(line), " \t\r\n");
        while (words.HasMoreTokens())
            expected.nodes.push_back(kqStringToBytes(words.GetNextToken()));
        EXPECT_EQ(ReadAs(PADS, "*SIG X\nN " + line + "\n"), NetSpecs{expected}) << line;
    }
}

TEST(PadsReader, EqualNamesAndNodesAreAllKept)
{
    EXPECT_EQ(ReadAs(PADS, "*SIG A\nN1 N1\n*SIG A\nN1\n"),
              (NetSpecs{{"A", {"N1", "N1"}}, {"A", {"N1"}}}));
}

TEST(PadsReader, AcceptsCrLfAndCrLineEnds)
{
    EXPECT_EQ(ReadAs(PADS, "*SIG A\r\nN1 N2\r\n*SIG B\r\nN3\r\n*END*\r\n"),
              (NetSpecs{{"A", {"N1", "N2"}}, {"B", {"N3"}}}));
    EXPECT_EQ(ReadAs(PADS, "*SIG A\rN1 N2\r*SIG B\rN3\r*END*\r"),
              (NetSpecs{{"A", {"N1", "N2"}}, {"B", {"N3"}}}));
    EXPECT_EQ(ReadAs(PADS, "*SIG A\r\rN1\r\n\nN2\n*END*"), (NetSpecs{{"A", {"N1", "N2"}}}));
}

// --- Writing -------------------------------------------------------------

TEST(PadsWriter, WorkedExample)
{
    EXPECT_EQ(WriteAs(PADS, WORKED_EXAMPLE_NETS), WORKED_EXAMPLE_OUT);
}

TEST(PadsWriter, EmptyNetlistAndNetWithoutNodes)
{
    EXPECT_EQ(WriteAs(PADS, {}), "*PADS*\n\n*NET*\n\n*END*\n");
    EXPECT_EQ(WrittenNet({"X", {}}), "*SIG X\n\n\n");
    EXPECT_EQ(WrittenNet({"", {"A"}}), "*SIG \nA\n\n");
}

TEST(PadsWriter, FiveNodesALine)
{
    EXPECT_EQ(WrittenNet({"X", Nodes(5)}), "*SIG X\nN1\tN2\tN3\tN4\tN5\n\n");
    EXPECT_EQ(WrittenNet({"X", Nodes(6)}), "*SIG X\nN1\tN2\tN3\tN4\tN5\nN6\n\n");
    EXPECT_EQ(WrittenNet({"X", Nodes(7)}), "*SIG X\nN1\tN2\tN3\tN4\tN5\nN6\tN7\n\n");
    EXPECT_EQ(WrittenNet({"X", Nodes(10)}), "*SIG X\nN1\tN2\tN3\tN4\tN5\nN6\tN7\tN8\tN9\tN10\n\n");
    EXPECT_EQ(WrittenNet({"X", Nodes(11)}),
              "*SIG X\nN1\tN2\tN3\tN4\tN5\nN6\tN7\tN8\tN9\tN10\nN11\n\n");
}

TEST(PadsWriter, CountRestartsWithEveryNet)
{
    EXPECT_EQ(WriteAs(PADS, {{"A", Nodes(6)}, {"B", Nodes(2)}}),
              "*PADS*\n\n*NET*\n\n"
              "*SIG A\nN1\tN2\tN3\tN4\tN5\nN6\n\n"
              "*SIG B\nN1\tN2\n\n"
              "*END*\n");
}

TEST(PadsWriter, WritesTextsByteForByte)
{
    EXPECT_EQ(WrittenNet({"A B", {"\xE4\xFF", "x;y", "\"q\""}}),
              "*SIG A B\n\xE4\xFF\tx;y\t\"q\"\n\n");
}

// --- Reading back --------------------------------------------------------

TEST(PadsRoundTrip, ReadsBackWhatItWrites)
{
    const NetSpecs nets = {{"GND", Nodes(11)},
                           {"", {"U1.7"}},
                           {"EMPTY", {}},
                           {"\xD8\xC8|+5V", {"\xCA\xCE.3", "U1.*", "N2"}},
                           {"GND", {"U1.7", "U1.7"}}};
    EXPECT_EQ(ReadAs(PADS, WriteAs(PADS, nets)), nets);
    EXPECT_EQ(WriteAs(PADS, ReadAs(PADS, WORKED_EXAMPLE_OUT)), WORKED_EXAMPLE_OUT);
}

TEST(PadsRoundTrip, WhatDoesNotReadBack)
{
    // A name with a blank keeps its first word.
    EXPECT_EQ(ReadAs(PADS, WriteAs(PADS, {{"A B", {"N1"}}})), (NetSpecs{{"A", {"N1"}}}));
    // A "*" node that starts a node line reads as a keyword line and closes
    // the net: that line and the net's further lines are lost.
    NetSpecs sixth = {{"X", Nodes(12)}};
    sixth[0].nodes[5] = "*6";
    EXPECT_EQ(ReadAs(PADS, WriteAs(PADS, sixth)), (NetSpecs{{"X", Nodes(5)}}));
    EXPECT_EQ(ReadAs(PADS, WriteAs(PADS, {{"X", {"*1", "N2"}}})), (NetSpecs{{"X", {}}}));
    // Not first on its line, it is an ordinary node.
    EXPECT_EQ(ReadAs(PADS, WriteAs(PADS, {{"X", {"N1", "*2"}}})), (NetSpecs{{"X", {"N1", "*2"}}}));
}

// --- Files written by other tools ----------------------------------------

namespace
{
// One file of the real-netlist folder, how many nets it reads to, and one
// net checked by hand against the file.
struct RealFile
{
    const char* name;
    size_t nets;
    testutil::NetSpec sample;
};

const RealFile REAL_FILES[] = {
    // "*PADS-PCB*" and a "*PART*" section whose lines hold blanks, CR LF.
    {"freepcb__nl_orig.net", 6, {"IB-n", {"J1.6", "J2.6", "J3.1", "J3.2", "J3.3", "J3.4"}}},
    {"freepcb__nl_swap_pins.net", 6, {"IAP", {"J1.3", "J2.2"}}},
    {"freepcb__nl_split_net_66_33.net", 7, {"SPLIT_NET", {"J3.3", "J3.4"}}},
    // One node a line, each after a blank; blank lines inside "*PART*".
    {"PlatForm__LED-01_CDS_netlist.fpc.net", 17,
     {"-", {"KT1.1", "HL6H.2", "HL8H.2", "HL7H.2", "HL5H.2"}}},
    // A blank after the last node of every line.
    {"PlatForm__LED-01_PCB_netlist.fpc.net", 17,
     {"+", {"KT2.1", "HL1A.1", "HL2A.1", "HL4A.1", "HL3A.1"}}},
    // Net names and parts in cp1251 bytes.
    {"PlatForm__RoundingRect.fpc.net", 376,
     {"N9|\xD8\xC8\xCD\xC0" "3\xCA\xCE\xCC\xCC\xD3\xD2\xC0\xD2\xCE\xD0" "F",
      {"X1F.9", "DD1F.23", "VD9/F.3"}}},
    // "!PADS-POWERPCB-V3.0-MILS!" header, tab-separated "*PART*" lines.
    {"lepton-eda__JD-pads.out", 6,
     {"GND", {"CM.2", "CP.2", "RB.1", "RLM.2", "V1.2", "VDD.2", "X1.2", "X1.7"}}},
    {"lepton-eda__SlottedOpamps-pads.out", 9,
     {"SAMENET_OUTPUT_C", {"U1.1", "U1.7", "U1.8", "U1.14"}}},
    {"lepton-eda__TwoStageAmp-pads.out", 12, {"UNNAMED_NET2", {"C2.1", "R8.2"}}},
    {"lepton-eda__netattrib-pads.out", 17, {"3.3V", {"U500.14"}}},
    // "*CONNECTION*" of chained pairs: a node shared by two pairs is read
    // twice. The "*MISC*" section after the last net is not read.
    {"parallella-hw__parallella-rf.asc", 148, {"XTALN", {"X1.3", "U2.M12", "U2.M12", "C70.1"}}},
    {"parallella-hw__parallella-rf.asc", 148, {"$4N216", {"R6.2", "C70.2", "C70.2", "J14.1"}}},
};

NetSpecs ReadRealFile(const std::string& name)
{
    std::unique_ptr<kqNetListReader> reader(kqNetMode::GetReader(PADS));
    kqNetList list;
    EXPECT_TRUE(reader->Read(testutil::RealTestdataDir() + "/" + name, list)) << name;
    return testutil::Describe(list);
}
}

TEST(PadsRealFiles, ReadAsTheirLinesSay)
{
    if (testutil::RealTestdataDir().empty())
        GTEST_SKIP() << "no folder of netlists from other tools in this checkout";
    for (const RealFile& file : REAL_FILES)
    {
        const NetSpecs nets = ReadRealFile(file.name);
        EXPECT_EQ(nets.size(), file.nets) << file.name;
        const auto net = std::find_if(nets.begin(), nets.end(), [&](const testutil::NetSpec& n) {
            return n.name == file.sample.name;
        });
        ASSERT_NE(net, nets.end()) << file.name << ": no net " << file.sample.name;
        EXPECT_EQ(*net, file.sample) << file.name;
    }
}

TEST(PadsRealFiles, SameBoardFromSchematicAndFromLayout)
{
    if (testutil::RealTestdataDir().empty())
        GTEST_SKIP() << "no folder of netlists from other tools in this checkout";
    kqNetList fromSchematic =
        testutil::MakeList(ReadRealFile("PlatForm__LED-01_CDS_netlist.fpc.net"));
    kqNetList fromLayout = testutil::MakeList(ReadRealFile("PlatForm__LED-01_PCB_netlist.fpc.net"));
    fromSchematic.Sort();
    fromLayout.Sort();
    EXPECT_EQ(testutil::Describe(fromSchematic), testutil::Describe(fromLayout));
}

// --- Conversion ----------------------------------------------------------

TEST(PadsConversion, ToBschAndBack)
{
    const uint32_t BSCH = 0;
    testutil::TempDir dir;
    const std::string pads = dir.File("in.pads");
    const std::string bsch = dir.File("mid.net");
    const std::string back = dir.File("back.pads");
    testutil::WriteBytes(pads, "*PADS*\n*NET*\n*SIGNAL* GND\nU1.7 C3.2\n  R1.2\n\n"
                               "*SIG BUS\nN1 N2 N3\nN4 N5 N6\n*END*\n");

    ASSERT_TRUE(kqNetConverter::Execute(pads, PADS, bsch, BSCH));
    EXPECT_EQ(testutil::ReadBytes(bsch), "$NETS\n"
                                         "GND;\tU1.7 C3.2 R1.2\n"
                                         "BUS;\tN1 N2 N3 N4 N5 ,\n\tN6\n"
                                         "$END\n");
    ASSERT_TRUE(kqNetConverter::Execute(bsch, BSCH, back, PADS));
    EXPECT_EQ(testutil::ReadBytes(back), "*PADS*\n\n*NET*\n\n"
                                         "*SIG GND\nU1.7\tC3.2\tR1.2\n\n"
                                         "*SIG BUS\nN1\tN2\tN3\tN4\tN5\nN6\n\n"
                                         "*END*\n");
}
