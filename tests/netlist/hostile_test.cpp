// Files no netlist tool wrote, and places that refuse what is written:
// every format must read any bytes to some netlist and return, and a
// conversion that cannot finish must leave its target as it was (or
// absent), never a partial or mixed file.
#include "netlist/converter.h"
#include "netlist/mode.h"
#include "netlist/reader.h"
#include "testutil.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <wx/log.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <random>

using namespace std::string_literals;

static const uint32_t FORMATS[] = {0, 1, 2};

static bool ReadPath(uint32_t mode, const std::string& path)
{
    std::unique_ptr<kqNetListReader> reader(kqNetMode::GetReader(mode));
    kqNetList list;
    return reader && reader->Read(path, list);
}

TEST(Hostile, AHugeSingleLineCostsMemoryInProportion)
{
    testutil::TempDir dir;
    const uintmax_t size = 100u << 20;
    testutil::WriteBytes(dir.File("huge"), "");
    std::filesystem::resize_file(dir.File("huge"), size); // one line of NUL bytes
    rusage before{}, after{};
    getrusage(RUSAGE_SELF, &before);
    for (uint32_t mode : FORMATS)
        EXPECT_TRUE(ReadPath(mode, dir.File("huge")));
    getrusage(RUSAGE_SELF, &after);
    // One byte becomes one wide character, held a few times over at most.
    EXPECT_LT(after.ru_maxrss - before.ru_maxrss, static_cast<long>(size / 1024 * 24));
}

// A target replaced by rename ("in" itself, "other") and one written in
// place because it has a second name ("linked", also "alias").
TEST(Hostile, AConversionCutShortFailsAndLeavesTheTargetAsItWas)
{
    testutil::TempDir dir;
    const std::set<std::string> files{"in", "other", "linked", "alias"};
    testutil::WriteBytes(dir.File("linked"), "");
    std::filesystem::create_hard_link(dir.File("linked"), dir.File("alias"));
    // Texts in the writer's own layout, so the output is as long as the
    // input: within one write block of 64 KiB, and over two.
    for (int nets : {200, 4000})
    {
        std::string text = "$NETS\n";
        for (int net = 0; net < nets; ++net)
            text += "N" + std::to_string(net) + ";\tU1." + std::to_string(net) + " R7.2 C3.1\n";
        text += "$END\n";
        for (const char* target : {"in", "other", "linked"})
        {
            testutil::WriteBytes(dir.File("in"), text);
            testutil::WriteBytes(dir.File("other"), "kept\n");
            testutil::WriteBytes(dir.File("linked"), "kept\n");
            const std::string before = testutil::ReadBytes(dir.File(target));
            // Cut in the first block, and in the last by a single byte.
            for (rlim_t limit : {rlim_t(2048), rlim_t(text.size() - 1)})
            {
                EXPECT_EQ(testutil::ConvertWithinLimit(dir.File("in"), dir.File(target), limit), 1)
                    << nets << " nets onto " << target << " within " << limit;
                EXPECT_TRUE(testutil::ReadBytes(dir.File(target)) == before) << "changed";
                EXPECT_EQ(testutil::ReadBytes(dir.File("alias")), "kept\n");
                EXPECT_EQ(testutil::FilesIn(dir.Path()), files);
            }
            // The limits were tight: one byte more and the whole text fits.
            EXPECT_EQ(testutil::ConvertWithinLimit(dir.File("in"), dir.File(target), text.size()), 0);
            EXPECT_TRUE(testutil::ReadBytes(dir.File(target)) == text) << "not converted";
            // Written in place, the file keeps its second name.
            EXPECT_TRUE(target != "linked"s || testutil::ReadBytes(dir.File("alias")) == text);
        }
    }
}

TEST(Hostile, ConvertingOntoAFullDeviceFailsAndLeavesTheDevice)
{
    if (!std::filesystem::is_character_file("/dev/full"))
        GTEST_SKIP() << "no /dev/full here";
    wxLogNull quiet;
    testutil::TempDir dir;
    testutil::WriteBytes(dir.File("in"), "$NETS\nA;X.1\n$END\n");
    EXPECT_FALSE(kqNetConverter::Execute(dir.File("in"), 0, "/dev/full", 0));
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
}

// An empty file, NUL and random bytes, the fuzzers' seeds and every input that once made
// one fail.
TEST(Hostile, NoiseAndEveryKeptFuzzInputConvertBetweenEveryFormat)
{
    wxLogNull quiet;
    testutil::TempDir dir;
    std::string noise(1 << 16, '\0');
    std::generate(noise.begin(), noise.end(), std::mt19937(1));
    testutil::WriteBytes(dir.File("nul"), std::string(4096, '\0'));
    testutil::WriteBytes(dir.File("noise"), noise);
    testutil::WriteBytes(dir.File("empty"), "");
    std::vector<std::string> inputs = {dir.File("nul"), dir.File("noise"), dir.File("empty")};
    for (const char* folder : {"corpus", "regressions"})
        for (const auto& entry : std::filesystem::recursive_directory_iterator(
                 std::filesystem::path(WIRELACE_SOURCE_DIR) / "fuzz" / folder))
            if (entry.is_regular_file() && entry.path().filename() != "README")
                inputs.push_back(entry.path().string());
    ASSERT_GT(inputs.size(), 3u);
    for (const std::string& input : inputs)
        for (uint32_t from : FORMATS)
            for (uint32_t to : FORMATS)
                EXPECT_TRUE(kqNetConverter::Execute(input, from, dir.File("out"), to))
                    << input << " from " << from << " to " << to;
}
