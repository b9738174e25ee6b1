// The BSch/Allegro format: exact bytes in, nets out, and back.
#include "testutil.h"

#include <gtest/gtest.h>

using testutil::NetSpecs;

namespace
{
NetSpecs Read(const std::string& bytes) { return testutil::ReadAs(0, bytes); }
std::string Write(const NetSpecs& nets) { return testutil::WriteAs(0, nets); }
const NetSpecs WORKED = {{"GND", {"U1.7", "C3.2", "R1.2"}}, {"VCC", {"U1.14", "U2.14"}}};
}

TEST(BschReader, WorkedExampleAndEdges)
{
    EXPECT_EQ(Read("$NETS\nGND; U1.7 C3.2 ,\n\tR1.2\nVCC ;U1.14,U2.14\n$END\n"), WORKED);
    // Only lines between "$NETS" and "$END" are read...
    EXPECT_EQ(Read("A;X.1\n$NETS\nB;Y.1\n$END\nC;Z.1\n"), (NetSpecs{{"B", {"Y.1"}}}));
    // ...but "$END" inside a net line leaves the net open.
    EXPECT_EQ(Read("$NETS\nA;X.1 $END X.2\n$NETS X.3\nB;Y.1\n"),
              (NetSpecs{{"A", {"X.1", "X.3"}}, {"B", {"Y.1"}}}));
    // ";" first on a line takes the last token of an earlier line as name.
    EXPECT_EQ(Read("$NETS\nGND\n\n \n; U1.7\n"), (NetSpecs{{"GND", {"U1.7"}}}));
    // A trailing "," continues the net across empty lines, and into a net
    // line, whose name becomes the last node.
    EXPECT_EQ(Read("$NETS\nA;X.1 ,\n\n \t \n\tX.2\n"), (NetSpecs{{"A", {"X.1", "X.2"}}}));
    EXPECT_EQ(Read("$NETS\nA;X.1,\nB;Y.1\n"), (NetSpecs{{"A", {"X.1", "B"}}, {"B", {"Y.1"}}}));
}

TEST(BschWriter, WorkedExampleAndFiveNodesALineCountedPerNet)
{
    EXPECT_EQ(Write(WORKED), "$NETS\nGND;\tU1.7 C3.2 R1.2\nVCC;\tU1.14 U2.14\n$END\n");
    EXPECT_EQ(Write({{"X", {"N1", "N2", "N3", "N4", "N5"}}}), "$NETS\nX;\tN1 N2 N3 N4 N5\n$END\n");
    EXPECT_EQ(Write({{"X", {"N1", "N2", "N3", "N4", "N5", "N6"}}, {"Y", {"N1"}}}),
              "$NETS\nX;\tN1 N2 N3 N4 N5 ,\n\tN6\nY;\tN1\n$END\n");
}

TEST(BschReader, RealFileWithCrLfAndIndentedContinuations)
{
    const std::string dir = testutil::RealTestdataDir();
    if (dir.empty())
        GTEST_SKIP() << "no folder of netlists from other tools beside this checkout";
    const NetSpecs nets = Read(testutil::ReadBytes(dir + "/pcbdl__servo_original.rpt"));
    ASSERT_EQ(nets.size(), 90u);
    EXPECT_EQ(nets[27].name, "GND");
    EXPECT_EQ(nets[27].nodes.size(), 89u); // over eight continuation lines
}
