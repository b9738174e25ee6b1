// Writing a netlist and reading the file back gives the same nets and
// nodes, in the same order, in every format, for random netlists whose
// texts every format can carry.
#include "testutil.h"

#include <gtest/gtest.h>

#include <random>

TEST(RoundTrip, EveryFormat)
{
    // Letters, digits, marks and bytes past 7 bits: no format gives them a
    // meaning, and they spell none of its keywords. Texts are short slices,
    // so equal names and nodes come up often.
    const std::string plain = "Ab.0$\x80-Z/+c\xA0#1\xC3z_9\xA4" "B8a\xFF" "C";
    for (uint32_t mode = 0; mode < 3; ++mode)
    {
        std::mt19937 random(mode + 1);
        auto text = [&] { return plain.substr(random() % plain.size(), 1 + random() % 6); };
        for (int round = 0; round < 150; ++round)
        {
            testutil::NetSpecs nets(random() % 12);
            for (testutil::NetSpec& net : nets)
            {
                net.name = text();
                net.nodes.resize(random() % 17);
                for (std::string& node : net.nodes)
                    node = text();
            }
            ASSERT_EQ(testutil::ReadAs(mode, testutil::WriteAs(mode, nets)), nets)
                << "format " << mode << ", round " << round;
        }
    }
}
