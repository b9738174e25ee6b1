// Runs a comparison on two netlists, given as nets, through real files of
// the first format; the worked example, and random nets to compare.
#ifndef WIRELACE_TESTS_NETLIST_COMPARISON_H
#define WIRELACE_TESTS_NETLIST_COMPARISON_H

#include "netlist/differencer.h"
#include "testutil.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace testutil
{
inline void CompareAsFiles(kqNetDifferencer& differencer, const NetSpecs& file1,
                           const NetSpecs& file2)
{
    TempDir dir;
    WriteBytes(dir.File("1.net"), WriteAs(0, file1));
    WriteBytes(dir.File("2.net"), WriteAs(0, file2));
    EXPECT_TRUE(differencer.Execute(dir.File("1.net"), 0, dir.File("2.net"), 0));
}

// Up to nine nets of up to four nodes, names and nodes drawn from `texts`:
// repeated names and nodes and nets without nodes turn up often.
inline NetSpecs RandomNets(std::mt19937& random,
                           const std::vector<std::string>& texts = {"a", "b", "c", "d", "e", "f"})
{
    auto text = [&] { return texts[random() % texts.size()]; };
    NetSpecs nets(random() % 10);
    for (NetSpec& net : nets)
    {
        net.name = text();
        net.nodes.resize(random() % 5);
        for (std::string& node : net.nodes)
            node = text();
    }
    return nets;
}

// The worked example: two nets the same (one of them renamed), one alike,
// one on each side alone.
const NetSpecs WORKED_FILE1 = {{"VCC", {"U1.14", "U2.14"}}, {"GND", {"U2.7", "U1.7"}},
                               {"N1", {"U1.1", "U2.3"}}, {"N9", {"R1.1"}}};
const NetSpecs WORKED_FILE2 = {{"GND", {"U1.7", "U2.7"}}, {"VCC", {"C1.1", "U2.14", "U1.14"}},
                               {"N2", {"U2.3", "U1.1"}}, {"N7", {"R5.2"}}};
const char WORKED_REPORT[] = "[[Same]]\n[GND] (U1.7) (U2.7) == [GND] (U1.7) (U2.7)\n"
                             "[N1] (U1.1) (U2.3) == [N2] (U1.1) (U2.3)\n"
                             "\n[[Like]]\n[VCC] (U1.14) (U2.14) != [VCC] <C1.1> (U1.14) (U2.14)\n"
                             "\n<<File 1 only>>\n[N9] <R1.1>\n\n<<File 2 only>>\n[N7] <R5.2>\n";
const char HEADINGS_ONLY[] = "[[Same]]\n\n[[Like]]\n\n<<File 1 only>>\n\n<<File 2 only>>\n";
}

#endif
