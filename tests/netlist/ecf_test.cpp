// ZukenECF: exact bytes in, nets out; nets in, exact bytes out.
#include "netlist/converter.h"
#include "testutil.h"

#include <gtest/gtest.h>

#include <string>

using testutil::NetSpecs;

namespace
{
const uint32_t ECF = 2;

NetSpecs Read(const std::string& bytes)
{
    return testutil::ReadAs(ECF, bytes);
}

std::string Write(const NetSpecs& nets)
{
    return testutil::WriteAs(ECF, nets);
}

const std::string HEAD = "$CCF {\n DEFINITION {\n }\n NET {\n";
const std::string TAIL = " }\n}\n";

// The file the writer makes of `body`, the lines of its nets.
std::string File(const std::string& body)
{
    return HEAD + body + TAIL;
}

// Net X with the nodes N1 ... N<count>.
NetSpecs NetOfNodes(int count)
{
    NetSpecs nets{{"X", {}}};
    for (int i = 1; i <= count; ++i)
        nets[0].nodes.push_back("N" + std::to_string(i));
    return nets;
}
}

TEST(EcfRead, WorkedExample)
{
    const std::string file = "$CCF {\n"
                             " DEFINITION {\n"
                             " }\n"
                             "NET {\n"
                             "  GND:U1(7),\n"
                             "      C3(2);  SIG1 : U2(1), U3(4) ;\n"
                             "}\n"
                             "POWER\n"
                             "{ VCC: U1(14), U2(14); }\n"
                             "}\n";
    EXPECT_EQ(Read(file), (NetSpecs{{"GND", {"U1.7", "C3.2"}},
                                    {"SIG1", {"U2.1", "U3.4"}},
                                    {"VCC", {"U1.14", "U2.14"}}}));
}

TEST(EcfWrite, WorkedExample)
{
    const NetSpecs nets{{"GND", {"U1.7", "C3.2"}},
                        {"SIG1", {"U2.1", "U3.4"}},
                        {"VCC", {"U1.14", "U2.14"}},
                        {"NC", {}},
                        {"CLK", {"U1.1", "U2.1", "U3.1", "U4.1", "U5.1", "U6.1", "U7.1", "U8.1"}}};
    EXPECT_EQ(Write(nets), "$CCF {\n"
                           " DEFINITION {\n"
                           " }\n"
                           " NET {\n"
                           "\tGND: U1(7), C3(2);\n"
                           "\tSIG1: U2(1), U3(4);\n"
                           "\tVCC: U1(14), U2(14);\n"
                           "\tNC: ;\n"
                           "\tCLK: U1(1), U2(1), U3(1), U4(1), U5(1), U6(1), U7(1),\n"
                           "\t\tU8(1);\n"
                           " }\n"
                           "}\n");
    EXPECT_EQ(Read(Write(nets)), nets);
}

TEST(EcfWrite, SevenNodesALine)
{
    EXPECT_EQ(Write(NetOfNodes(7)), File("\tX: N1), N2), N3), N4), N5), N6), N7);\n"));
    EXPECT_EQ(Write(NetOfNodes(8)), File("\tX: N1), N2), N3), N4), N5), N6), N7),\n"
                                         "\t\tN8);\n"));
    EXPECT_EQ(Write(NetOfNodes(14)), File("\tX: N1), N2), N3), N4), N5), N6), N7),\n"
                                          "\t\tN8), N9), N10), N11), N12), N13), N14);\n"));
    EXPECT_EQ(Write(NetOfNodes(15)), File("\tX: N1), N2), N3), N4), N5), N6), N7),\n"
                                          "\t\tN8), N9), N10), N11), N12), N13), N14),\n"
                                          "\t\tN15);\n"));
    // The count starts again with each net.
    EXPECT_EQ(Write({{"A", {"N1", "N2"}}, {"B", {"N3"}}}), File("\tA: N1), N2);\n\tB: N3);\n"));
    EXPECT_EQ(Read(Write(NetOfNodes(15))), NetOfNodes(15));
}

TEST(EcfWrite, EmptyNetlistAndNetWithoutNodes)
{
    EXPECT_EQ(Write({}), "$CCF {\n DEFINITION {\n }\n NET {\n }\n}\n");
    EXPECT_EQ(Read(Write({})), NetSpecs{});
    EXPECT_EQ(Write({{"X", {}}}), File("\tX: ;\n"));
    EXPECT_EQ(Read(File("\tX: ;\n")), (NetSpecs{{"X", {}}}));
}

TEST(EcfNodes, DotsAreWrittenAsParenthesesAndReadBack)
{
    EXPECT_EQ(Write({{"X", {"N1"}}}), File("\tX: N1);\n"));
    EXPECT_EQ(Write({{"X", {"U1.A.3"}}}), File("\tX: U1(A(3);\n"));
    EXPECT_EQ(Read(File("\tX: N1), U1(A(3);\n")), (NetSpecs{{"X", {"N1", "U1.A.3"}}}));
    // Parentheses already in a node do not survive.
    EXPECT_EQ(Write({{"X", {"U1(7"}}}), File("\tX: U1(7);\n"));
    EXPECT_EQ(Read(File("\tX: U1(7);\n")), (NetSpecs{{"X", {"U1.7"}}}));
}

TEST(EcfNodes, ClosingParenthesisBecomesABlankDroppedOnlyAtTheEnd)
{
    EXPECT_EQ(Read("NET { X: U1 (7); }"), (NetSpecs{{"X", {"U1", ".7"}}}));
    EXPECT_EQ(Read("NET { X: U1(7)X; }"), (NetSpecs{{"X", {"U1.7 X"}}}));
    EXPECT_EQ(Read("NET { X: U1(7))) U2; }"), (NetSpecs{{"X", {"U1.7", "U2"}}}));
    // Form feed and vertical tab do not cut tokens, but end no node.
    EXPECT_EQ(Read("NET { X: U1(7)\v\f; }"), (NetSpecs{{"X", {"U1.7"}}}));
    EXPECT_EQ(Read("NET { X: ); }"), (NetSpecs{{"X", {""}}}));
}

TEST(EcfNodes, NetNamesAreNeverConverted)
{
    EXPECT_EQ(Read("NET { A(1): B(2); }"), (NetSpecs{{"A(1)", {"B.2"}}}));
    EXPECT_EQ(Write({{"A.1", {"B.2"}}}), File("\tA.1: B(2);\n"));
}

TEST(EcfNodes, BytesPassThrough)
{
    const NetSpecs nets{{"\xC4\xFF", {"R\xE9.1", std::string("Q\0.2", 4)}}};
    EXPECT_EQ(Write(nets), File("\t\xC4\xFF: R\xE9(1), " + std::string("Q\0(2)", 5) + ";\n"));
    EXPECT_EQ(Read(Write(nets)), nets);
}

TEST(EcfBlocks, OnlyNetPowerAndGroundOpenABlock)
{
    EXPECT_EQ(Read("GROUND\n\n{ G: R1(1); }"), (NetSpecs{{"G", {"R1.1"}}}));
    EXPECT_EQ(Read("NETS { A: R1(1); }\nNet { B: R2(1); }\nnet { C: R3(1); }\n"
                   "X { D: R4(1); }\nNET { E: R5(1); }"),
              (NetSpecs{{"E", {"R5.1"}}}));
    // Nets outside every block, and the header, are ignored.
    EXPECT_EQ(Read("$CCF { A: R1(1); DEFINITION { B: R2(1); } C: R3(1); }"), NetSpecs{});
    EXPECT_EQ(Read("NET"), NetSpecs{});
}

TEST(EcfBlocks, AnyClosingBraceEndsTheBlock)
{
    EXPECT_EQ(Read("NET { A: R1(1); X { } B: R2(1); }"), (NetSpecs{{"A", {"R1.1"}}}));
    EXPECT_EQ(Read("NET { A: R1(1); } NET { B: R2(1); }"),
              (NetSpecs{{"A", {"R1.1"}}, {"B", {"R2.1"}}}));
}

TEST(EcfBlocks, NetLeftOpenAtTheBraceStaysOpen)
{
    EXPECT_EQ(Read("NET { A: R1(1) } POWER { VCC: R2(2); }"),
              (NetSpecs{{"A", {"R1.1", "VCC"}}, {"VCC", {"R2.2"}}}));
    EXPECT_EQ(Read("NET { A: R1(1) }\nR9(9)\n"), (NetSpecs{{"A", {"R1.1"}}}));
}

TEST(EcfNets, NodesOutsideANetAreDropped)
{
    EXPECT_EQ(Read("NET { R0(1) A: R1(1); R2(2) ; ; , B: ,R3(3),,R4(4), ; }"),
              (NetSpecs{{"A", {"R1.1"}}, {"B", {"R3.3", "R4.4"}}}));
    EXPECT_EQ(Read("NET { A: B: R1(1); }"), (NetSpecs{{"A", {"B"}}, {"B", {"R1.1"}}}));
    // Line breaks mean nothing: a net over lines, nets sharing one.
    EXPECT_EQ(Read("NET {\nA\n:\nR1(1)\n,\nR2(2)\n;B:R3(3);}"),
              (NetSpecs{{"A", {"R1.1", "R2.2"}}, {"B", {"R3.3"}}}));
    // Equal names and nodes are all kept, in file order.
    EXPECT_EQ(Read("NET { B: R1(1), R1(1); A: R2(2); B: R3(3); }"),
              (NetSpecs{{"B", {"R1.1", "R1.1"}}, {"A", {"R2.2"}}, {"B", {"R3.3"}}}));
}

TEST(EcfNets, EmptyNameReadsBackAsTheTokenBeforeTheColon)
{
    const NetSpecs nets{{"", {"R1.1"}}, {"A", {}}, {"", {}}};
    EXPECT_EQ(Write(nets), File("\t: R1(1);\n\tA: ;\n\t: ;\n"));
    EXPECT_EQ(Read(Write(nets)), (NetSpecs{{"{", {"R1.1"}}, {"A", {}}, {";", {}}}));
    EXPECT_EQ(Read("NET { A: R1(1), : R2(2) : R3(3); }"),
              (NetSpecs{{"A", {"R1.1"}}, {",", {"R2.2"}}, {"R2(2)", {"R3.3"}}}));
}

TEST(EcfRead, AnyLineEnd)
{
    const NetSpecs nets{{"A", {"R1.1", "R2.2"}}, {"B", {"R3.3"}}};
    EXPECT_EQ(Read("NET {\r\nA: R1(1),\r\nR2(2);\r\nB: R3(3);\r\n}\r\n"), nets);
    EXPECT_EQ(Read("NET {\rA: R1(1),\rR2(2);\rB: R3(3);\r}\r"), nets);
    EXPECT_EQ(Read("NET {\nA: R1(1),\r\nR2(2);\rB: R3(3);\n}"), nets);
}

// Every format holds these nets as they are: names and nodes without
// blanks, separators or parentheses, no node beginning with "*".
TEST(EcfConvert, ThroughEveryFormatAndBack)
{
    const uint32_t BSCH = 0;
    const uint32_t PADS = 1;
    const NetSpecs nets{{"GND", {"U1.7", "C3.2", "R1.2"}},
                        {"NC", {}},
                        {"N$1", {"J1", "TP1.A.1", "U1.7"}},
                        {"CLK", {"U1.1", "U2.1", "U3.1", "U4.1", "U5.1", "U6.1", "U7.1",
                                 "U8.1", "U9.1", "U10.1", "U11.1", "U12.1"}},
                        {"\xC4", {"R\xE9.1"}}};
    testutil::TempDir dir;
    auto convert = [&dir](const char* from, uint32_t fromMode, const char* to, uint32_t toMode) {
        EXPECT_TRUE(kqNetConverter::Execute(dir.File(from), fromMode, dir.File(to), toMode));
        return testutil::ReadBytes(dir.File(to));
    };
    const std::string bsch = testutil::WriteAs(BSCH, nets);
    const std::string ecf = Write(nets);
    const std::string pads = testutil::WriteAs(PADS, nets);

    testutil::WriteBytes(dir.File("1.bsch"), bsch);
    EXPECT_EQ(convert("1.bsch", BSCH, "1.ecf", ECF), ecf);
    EXPECT_EQ(convert("1.ecf", ECF, "1.pads", PADS), pads);
    EXPECT_EQ(convert("1.pads", PADS, "2.bsch", BSCH), bsch);

    testutil::WriteBytes(dir.File("2.ecf"), ecf);
    EXPECT_EQ(convert("2.ecf", ECF, "3.bsch", BSCH), bsch);
    EXPECT_EQ(convert("3.bsch", BSCH, "2.pads", PADS), pads);
    EXPECT_EQ(convert("2.pads", PADS, "3.ecf", ECF), ecf);
}
