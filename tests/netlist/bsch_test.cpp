// The BSch/Allegro format: exact bytes in, nets out, and back.
#include "netlist/bsch.h"
#include "testutil.h"

#include <gtest/gtest.h>


using testutil::NetSpecs;

namespace
{
const uint32_t BSCH = 0;

NetSpecs Read(const std::string& bytes)
{
    return testutil::ReadAs(BSCH, bytes);
}

std::string Write(const NetSpecs& nets)
{
    return testutil::WriteAs(BSCH, nets);
}

NetSpecs ReadFile(const std::string& path)
{
    kqNetBschReader reader;
    kqNetList list;
    EXPECT_TRUE(reader.Read(path, list)) << path;
    return testutil::Describe(list);
}

// A net named `name` with the nodes N1 .. Ncount.
testutil::NetSpec NumberedNet(const std::string& name, int count)
{
    testutil::NetSpec net{name, {}};
    for (int i = 1; i <= count; ++i)
        net.nodes.push_back("N" + std::to_string(i));
    return net;
}
}

// ---- The worked example ---------------------------------------------------

TEST(BschFormat, WorkedExample)
{
    const NetSpecs nets = {{"GND", {"U1.7", "C3.2", "R1.2"}}, {"VCC", {"U1.14", "U2.14"}}};
    EXPECT_EQ(Read("$NETS\n"
                   "GND; U1.7 C3.2 ,\n"
                   "\tR1.2\n"
                   "VCC ;U1.14,U2.14\n"
                   "$END\n"),
              nets);
    EXPECT_EQ(Write(nets), "$NETS\n"
                           "GND;\tU1.7 C3.2 R1.2\n"
                           "VCC;\tU1.14 U2.14\n"
                           "$END\n");
}

// ---- Reading: the section ---------------------------------------------------

TEST(BschReader, ReadsOnlyBetweenNetsAndEnd)
{
    EXPECT_EQ(Read(""), NetSpecs{});
    EXPECT_EQ(Read("A;X.1\n"), NetSpecs{});
    EXPECT_EQ(Read("(NETLIST)\n"
                   "$PACKAGES\n"
                   "! R ! 1k ; R1,\n"
                   "\tR2\n"
                   "$NETS\n"
                   "A;X.1\n"
                   "$END\n"
                   "B;Y.1\n"
                   "$NETS\n"
                   "C;Z.1\n"),
              (NetSpecs{{"A", {"X.1"}}, {"C", {"Z.1"}}}));
}

TEST(BschReader, KeywordsAreCaseSensitive)
{
    EXPECT_EQ(Read("$nets\nA;X.1\n"), NetSpecs{});
    EXPECT_EQ(Read("$NETS\nA;$end $Nets X.1\n"), (NetSpecs{{"A", {"$end", "$Nets", "X.1"}}}));
}

TEST(BschReader, WithoutEndEveryNetIsKept)
{
    EXPECT_EQ(Read("$NETS\nA;X.1\nB;Y.1 ,"), (NetSpecs{{"A", {"X.1"}}, {"B", {"Y.1"}}}));
}

TEST(BschReader, EndInsideANetLineLeavesTheNetOpen)
{
    // Closed at the end of the file...
    EXPECT_EQ(Read("$NETS\nGND;U1.7 $END U2.1\nB;Y.1\n"), (NetSpecs{{"GND", {"U1.7"}}}));
    // ...or, once the section is open again, it takes further nodes.
    EXPECT_EQ(Read("$NETS\nGND;U1.7 $END U2.1\n$NETS X.1\nB;Y.1\n"),
              (NetSpecs{{"GND", {"U1.7", "X.1"}}, {"B", {"Y.1"}}}));
}

// ---- Reading: net lines -------------------------------------------------------

TEST(BschReader, BlanksAroundSeparatorsAreOptional)
{
    const NetSpecs nets = {{"GND", {"U1.7", "C3.2"}}};
    EXPECT_EQ(Read("$NETS\nGND;U1.7,C3.2\n"), nets);
    EXPECT_EQ(Read("$NETS\n  GND ; U1.7 , C3.2  \n"), nets);
    EXPECT_EQ(Read("$NETS\nGND;,,U1.7,,C3.2\n"), nets);
}

TEST(BschReader, KeepsFileOrderAndDuplicates)
{
    EXPECT_EQ(Read("$NETS\nB;X.2 X.1 X.2\nA;Y.1\nB;Z.1\n"),
              (NetSpecs{{"B", {"X.2", "X.1", "X.2"}}, {"A", {"Y.1"}}, {"B", {"Z.1"}}}));
}

TEST(BschReader, SecondSemicolonInALineStartsTheNextNet)
{
    EXPECT_EQ(Read("$NETS\nA;X.1 B;Y.2\n"), (NetSpecs{{"A", {"X.1", "B"}}, {"B", {"Y.2"}}}));
}

TEST(BschReader, SemicolonTakesTheTokenBeforeItAsName)
{
    EXPECT_EQ(Read("$NETS\nGND\n; U1.7\n"), (NetSpecs{{"GND", {"U1.7"}}}));
    EXPECT_EQ(Read("$NETS\nGND\n\n \n;U1.7\n"), (NetSpecs{{"GND", {"U1.7"}}}));
    EXPECT_EQ(Read("$NETS;X.1\n"), (NetSpecs{{"$NETS", {"X.1"}}}));
    EXPECT_EQ(Read("$NETS\n;X.1\n"), (NetSpecs{{"$NETS", {"X.1"}}}));
}

// ---- Reading: continuation lines ------------------------------------------------

TEST(BschReader, TrailingCommaContinuesTheNet)
{
    EXPECT_EQ(Read("$NETS\nA;X.1 ,\n        X.2,\n X.3\nB;Y.1\n"),
              (NetSpecs{{"A", {"X.1", "X.2", "X.3"}}, {"B", {"Y.1"}}}));
}

TEST(BschReader, EmptyLinesDoNotBreakAContinuation)
{
    EXPECT_EQ(Read("$NETS\nA;X.1 ,\n\n \t \n\tX.2\nB;Y.1\n"),
              (NetSpecs{{"A", {"X.1", "X.2"}}, {"B", {"Y.1"}}}));
}

TEST(BschReader, ContinuationIntoANetLineTakesTheNameAsNode)
{
    EXPECT_EQ(Read("$NETS\nA;X.1,\nOTHER;A.1\n"),
              (NetSpecs{{"A", {"X.1", "OTHER"}}, {"OTHER", {"A.1"}}}));
}

TEST(BschReader, AcceptsCrLfAndCrLineEnds)
{
    const NetSpecs nets = {{"A", {"X.1", "X.2"}}, {"B", {"Y.1"}}};
    EXPECT_EQ(Read("$NETS\r\nA;X.1 ,\r\n\r\n\tX.2\r\nB;Y.1\r\n$END\r\n"), nets);
    EXPECT_EQ(Read("$NETS\rA;X.1 ,\r\r\tX.2\rB;Y.1\r$END\r"), nets);
    EXPECT_EQ(Read("$NETS\nA;X.1 ,\r\n\tX.2\rB;Y.1\n$END"), nets);
}

// ---- Writing ------------------------------------------------------------------

TEST(BschWriter, EmptyNetlistAndNetWithoutNodes)
{
    EXPECT_EQ(Write({}), "$NETS\n$END\n");
    EXPECT_EQ(Write({{"X", {}}}), "$NETS\nX;\t\n$END\n");
}

TEST(BschWriter, FiveNodesOnALine)
{
    EXPECT_EQ(Write({NumberedNet("X", 5)}), "$NETS\nX;\tN1 N2 N3 N4 N5\n$END\n");
    EXPECT_EQ(Write({NumberedNet("X", 6)}), "$NETS\nX;\tN1 N2 N3 N4 N5 ,\n\tN6\n$END\n");
    EXPECT_EQ(Write({NumberedNet("X", 7)}), "$NETS\nX;\tN1 N2 N3 N4 N5 ,\n\tN6 N7\n$END\n");
    EXPECT_EQ(Write({NumberedNet("X", 10)}),
              "$NETS\nX;\tN1 N2 N3 N4 N5 ,\n\tN6 N7 N8 N9 N10\n$END\n");
    EXPECT_EQ(Write({NumberedNet("X", 11)}),
              "$NETS\nX;\tN1 N2 N3 N4 N5 ,\n\tN6 N7 N8 N9 N10 ,\n\tN11\n$END\n");
}

TEST(BschWriter, CountRestartsWithEachNet)
{
    EXPECT_EQ(Write({NumberedNet("A", 6), NumberedNet("B", 2)}),
              "$NETS\nA;\tN1 N2 N3 N4 N5 ,\n\tN6\nB;\tN1 N2\n$END\n");
}

TEST(BschWriter, WritesTextsUnchanged)
{
    EXPECT_EQ(Write({{"N\xE4\xFF", {"U\x01.1", "'a b'"}}, {"", {"X.1"}}}),
              "$NETS\nN\xE4\xFF;\tU\x01.1 'a b'\n;\tX.1\n$END\n");
}

// ---- Reading back ---------------------------------------------------------------

TEST(BschRoundTrip, ReadsBackWhatItWrites)
{
    const NetSpecs nets = {NumberedNet("BIG", 23), {"EMPTY", {}}, {"B", {"X.1", "X.1"}},
                           NumberedNet("A", 10), {"N\xE4", {"\xFF.1"}}, NumberedNet("C", 5)};
    EXPECT_EQ(Read(Write(nets)), nets);
}

TEST(BschRoundTrip, TextsTheFormatCannotHold)
{
    // A nameless net is named after the token before its ";".
    EXPECT_EQ(Read(Write({{"", {"X.1"}}, {"A", {}}, {"", {"Y.1"}}})),
              (NetSpecs{{"$NETS", {"X.1"}}, {"A", {}}, {";", {"Y.1"}}}));
    // A node "$END" ends the section; nothing after it survives.
    EXPECT_EQ(Read(Write({{"A", {"X.1", "$END", "X.2"}}, {"B", {"Y.1"}}})),
              (NetSpecs{{"A", {"X.1"}}}));
}

// ---- Files written by other tools ---------------------------------------------------

namespace
{
struct RealFile
{
    const char* name;
    size_t nets;
    testutil::NetSpec first;
};

const testutil::NetSpec* FindNet(const NetSpecs& nets, const std::string& name)
{
    for (const testutil::NetSpec& net : nets)
        if (net.name == name)
            return &net;
    return nullptr;
}
}

TEST(BschRealFiles, ReadsNetsWrittenByOtherTools)
{
    const std::string dir = testutil::RealTestdataDir();
    if (dir.empty())
        GTEST_SKIP() << "no folder of real netlists beside this checkout";

    const RealFile files[] = {
        {"lepton-eda__JD-allegro.out", 6,
         {"GND", {"Cm.2", "Cp.2", "Rb.1", "Rlm.2", "V1.2", "Vdd.2", "X1.2", "X1.7"}}},
        {"lepton-eda__SlottedOpamps-allegro.out", 9, {"minusin_slot1_pin_b", {"U1.2"}}},
        {"lepton-eda__TwoStageAmp-allegro.out", 12,
         {"GND",
          {"CE1.1", "CE2.1", "R2.1", "R4.1", "RE1.1", "RE2.1", "RL.1", "VCC.2", "Vinput.2"}}},
        {"lepton-eda__netattrib-allegro.out", 17, {"3.3V", {"U500.14"}}},
        // CR LF line ends, continuation lines indented by blanks.
        {"pcbdl__servo_original.rpt", 90, {"DUT_COLD_RESET_L", {"J3.14", "U9.6"}}},
        // No line end after "$END".
        {"pcbdl__servo_micro_frompcbdl.netlist.rpt", 90,
         {"VBUS_IN", {"CN1.1", "D1.1", "U3.4", "C9.1", "U3.3", "R22.2", "R23.2"}}},
        {"pcbdl__carte_test_frompcbdl.netlist.rpt", 84,
         {"ANON_NET?m2c6f2", {"R6.1", "R9.1", "U6.3"}}},
        // Damaged: no "$END", so a property line after the nets reads as
        // one more net, named "/".
        {"uPIC46__uPIC46.txt", 102, {"'/CAN+'", {"D6.1", "J8.1", "L3.4", "R31.1", "R32.2"}}},
    };
    for (const RealFile& file : files)
    {
        SCOPED_TRACE(file.name);
        const NetSpecs nets = ReadFile(dir + "/" + file.name);
        ASSERT_EQ(nets.size(), file.nets);
        EXPECT_EQ(nets.front(), file.first);
    }
}

TEST(BschRealFiles, LongNetsAcrossContinuationLines)
{
    const std::string dir = testutil::RealTestdataDir();
    if (dir.empty())
        GTEST_SKIP() << "no folder of real netlists beside this checkout";

    const NetSpecs allegro = ReadFile(dir + "/pcbdl__servo_original.rpt");
    const testutil::NetSpec* gnd = FindNet(allegro, "GND");
    ASSERT_NE(gnd, nullptr);
    ASSERT_EQ(gnd->nodes.size(), 89u);
    EXPECT_EQ(gnd->nodes[13], "C14.2"); // first node of the first continuation line
    EXPECT_EQ(gnd->nodes.back(), "U59.15");

    const NetSpecs kicad = ReadFile(dir + "/uPIC46__uPIC46.txt");
    const testutil::NetSpec* room = FindNet(kicad, "/");
    ASSERT_NE(room, nullptr);
    EXPECT_EQ(room->nodes.size(), 92u);
    EXPECT_EQ(room->nodes.back(), "XTAL2");
}
