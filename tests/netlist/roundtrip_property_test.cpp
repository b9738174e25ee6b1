// Writing a netlist and reading the file back gives the same nets and
// nodes, in the same order, for any netlist whose texts each format can
// carry.
#include "testutil.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

using testutil::NetSpecs;

namespace
{
// Characters no format gives a meaning to: letters, digits, a few marks and
// bytes past 7 bits.
const std::string PLAIN = "ABCZabcz0189._-/+#$\x80\xA0\xC3\xA4\xFF";

std::string RandomText(std::mt19937& random, size_t minLength)
{
    std::string text(minLength + random() % 6, ' ');
    for (char& c : text)
        c = PLAIN[random() % PLAIN.size()];
    return text;
}

// Random nets with names and nodes that `fits` accepts; repeated texts,
// repeated names and nets without nodes included.
NetSpecs RandomNets(std::mt19937& random, const std::function<bool(const std::string&)>& fits)
{
    auto text = [&](size_t minLength) {
        std::string candidate;
        do
            candidate = random() % 8 ? RandomText(random, minLength) : std::string("U1.7");
        while (!fits(candidate));
        return candidate;
    };
    NetSpecs nets(random() % 12);
    for (auto& net : nets)
    {
        net.name = text(1);
        net.nodes.resize(random() % 17);
        for (auto& node : net.nodes)
            node = text(1);
    }
    return nets;
}

void ExpectRoundTrips(uint32_t mode, const std::function<bool(const std::string&)>& fits)
{
    std::mt19937 random(mode + 1);
    for (int round = 0; round < 150; ++round)
    {
        const NetSpecs nets = RandomNets(random, fits);
        ASSERT_EQ(testutil::ReadAs(mode, testutil::WriteAs(mode, nets)), nets) << "round " << round;
    }
}
}

TEST(RoundTrip, BschAllegro)
{
    ExpectRoundTrips(0, [](const std::string& text) { return text != "$NETS" && text != "$END"; });
}

TEST(RoundTrip, Pads)
{
    // A node that opens a node line must not look like a keyword.
    ExpectRoundTrips(1, [](const std::string& text) { return text[0] != '*'; });
}

TEST(RoundTrip, ZukenEcf)
{
    ExpectRoundTrips(2, [](const std::string&) { return true; });
}
