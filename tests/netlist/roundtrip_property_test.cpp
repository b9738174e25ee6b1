// Writing a netlist and reading the file back gives the same nets and
// nodes, in the same order, in every format, for random netlists whose
// texts every format can carry.
#include "testutil.h"

#include <gtest/gtest.h>

#include <random>

TEST(RoundTrip, EveryFormat)
{
    // Letters, digits, marks and bytes past 7 bits: no format gives them a
    // meaning, and they spell none of its keywords.
    const std::string plain = "ABCZabcz0189._-/+#$\x80\xA0\xC3\xA4\xFF";
    for (uint32_t mode = 0; mode < 3; ++mode)
    {
        std::mt19937 random(mode + 1);
        auto text = [&] {
            std::string chosen(1 + random() % 6, ' ');
            for (char& c : chosen)
                c = plain[random() % plain.size()];
            return chosen;
        };
        // Short texts repeat often: equal names and nodes are part of it.
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
