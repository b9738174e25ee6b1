// The PADS format: exact bytes in, nets out, and back.
#include "testutil.h"

#include <gtest/gtest.h>

using testutil::NetSpecs;

namespace
{
NetSpecs Read(const std::string& bytes) { return testutil::ReadAs(1, bytes); }
std::string Write(const NetSpecs& nets) { return testutil::WriteAs(1, nets); }
const NetSpecs WORKED = {{"GND", {"U1.7", "C3.2", "R1.2"}}, {"VCC", {"U1.14", "U2.14"}}};
const std::string HEAD = "*PADS*\n\n*NET*\n\n";
}

TEST(PadsReader, WorkedExampleAndKeywordLines)
{
    EXPECT_EQ(Read("*PADS*\nU1 DIP14\n*NET*\n*SIGNAL* GND\nU1.7 C3.2\n  R1.2\n\n"
                   "*SIG VCC\nU1.14\tU2.14\n*END*\n"), WORKED);
    // "*SIG" alone opens a nameless net: a name on the next line is a node.
    EXPECT_EQ(Read("*SIG\nGND\n"), (NetSpecs{{"", {"GND"}}}));
    // Keywords match byte for byte; any other closes the net and opens none.
    for (const char* keyword : {"*sig X", "*Signal* X", "*SIG*", "*SIGNAL X", "*NET*"})
        EXPECT_EQ(Read(std::string("*SIG A\nN1\n") + keyword + "\nN2\n"),
                  (NetSpecs{{"A", {"N1"}}})) << keyword;
    // Only the first word of a line is a keyword, so a "*" node may not
    // start a node line.
    EXPECT_EQ(Read("*SIG A\nN1 *2\n*3 N4\n"), (NetSpecs{{"A", {"N1", "*2"}}}));
}

TEST(PadsWriter, WorkedExampleAndFiveNodesALineCountedPerNet)
{
    EXPECT_EQ(Write(WORKED),
              HEAD + "*SIG GND\nU1.7\tC3.2\tR1.2\n\n*SIG VCC\nU1.14\tU2.14\n\n*END*\n");
    EXPECT_EQ(Write({{"X", {"N1", "N2", "N3", "N4", "N5"}}}),
              HEAD + "*SIG X\nN1\tN2\tN3\tN4\tN5\n\n*END*\n");
    EXPECT_EQ(Write({{"X", {"N1", "N2", "N3", "N4", "N5", "N6"}}, {"Y", {}}}),
              HEAD + "*SIG X\nN1\tN2\tN3\tN4\tN5\nN6\n\n*SIG Y\n\n\n*END*\n");
}

TEST(PadsReader, RealFileWithConnectionPairs)
{
    const std::string dir = testutil::RealTestdataDir();
    if (dir.empty())
        GTEST_SKIP() << "no folder of netlists from other tools beside this checkout";
    // A node shared by two pairs of "*CONNECTION*" is read twice.
    const NetSpecs nets = Read(testutil::ReadBytes(dir + "/parallella-hw__parallella-rf.asc"));
    ASSERT_EQ(nets.size(), 148u);
    EXPECT_EQ(nets[1], (testutil::NetSpec{"XTALN", {"X1.3", "U2.M12", "U2.M12", "C70.1"}}));
}
