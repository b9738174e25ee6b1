// The ZukenECF format: exact bytes in, nets out, and back.
#include "testutil.h"

#include <gtest/gtest.h>

using testutil::NetSpecs;

namespace
{
NetSpecs Read(const std::string& bytes) { return testutil::ReadAs(2, bytes); }
std::string Write(const NetSpecs& nets) { return testutil::WriteAs(2, nets); }
const std::string HEAD = "$CCF {\n DEFINITION {\n }\n NET {\n", TAIL = " }\n}\n";
// The file the writer makes of `lines`, the lines of its nets.
std::string File(const std::string& lines) { return HEAD + lines + TAIL; }
const testutil::NetSpec GND{"GND", {"U1.7", "C3.2"}}, SIG1{"SIG1", {"U2.1", "U3.4"}},
    VCC{"VCC", {"U1.14", "U2.14"}};
}

TEST(EcfReader, WorkedExampleAndEdges)
{
    EXPECT_EQ(Read("$CCF {\n DEFINITION {\n }\nNET {\n  GND:U1(7),\n"
                   "      C3(2);  SIG1 : U2(1), U3(4) ;\n}\nPOWER\n{ VCC: U1(14), U2(14); }\n}\n"),
              (NetSpecs{GND, SIG1, VCC}));
    // "(" reads as "." and ")" as a blank, dropped only at the end; names
    // stay as they are.
    EXPECT_EQ(Read("NET { A(1): N1), U1(A(3), U1(7)X; }"),
              (NetSpecs{{"A(1)", {"N1", "U1.A.3", "U1.7 X"}}}));
    // Only NET, POWER and GROUND blocks hold nets, and nodes only inside one.
    EXPECT_EQ(Read("$CCF { A: R1(1); X { B: R2(1); } NET { R0(1) C: R3(1); R4(1) } }"),
              (NetSpecs{{"C", {"R3.1"}}}));
    // A net left open at "}" stays open and takes the next block's tokens.
    EXPECT_EQ(Read("NET { A: R1(1) } POWER { VCC: R2(2); }"),
              (NetSpecs{{"A", {"R1.1", "VCC"}}, {"VCC", {"R2.2"}}}));
    // The name is the token before ":", whatever it is.
    EXPECT_EQ(Read("NET { A: B: R1(1); }"), (NetSpecs{{"A", {"B"}}, {"B", {"R1.1"}}}));
}

TEST(EcfWriter, WorkedExampleSevenNodesALineAndDots)
{
    const char* clk[] = {"U1.1", "U2.1", "U3.1", "U4.1", "U5.1", "U6.1", "U7.1", "U8.1"};
    EXPECT_EQ(Write({GND, SIG1, VCC, {"NC", {}}, {"CLK", {clk, clk + 8}}}),
              File("\tGND: U1(7), C3(2);\n\tSIG1: U2(1), U3(4);\n\tVCC: U1(14), U2(14);\n\tNC: ;\n"
                   "\tCLK: U1(1), U2(1), U3(1), U4(1), U5(1), U6(1), U7(1),\n\t\tU8(1);\n"));
    EXPECT_EQ(Write({{"X", {clk, clk + 7}}, {"Y", {"N1"}}}),
              File("\tX: U1(1), U2(1), U3(1), U4(1), U5(1), U6(1), U7(1);\n\tY: N1);\n"));
    EXPECT_EQ(Write({{"A.1", {"N1", "U1.A.3"}}}), File("\tA.1: N1), U1(A(3);\n"));
    // A net without a name reads back named "{" when first, else ";".
    EXPECT_EQ(Write({{"", {"R1.1"}}, {"", {}}}), File("\t: R1(1);\n\t: ;\n"));
    EXPECT_EQ(Read(File("\t: R1(1);\n\t: ;\n")), (NetSpecs{{"{", {"R1.1"}}, {";", {}}}));
}
