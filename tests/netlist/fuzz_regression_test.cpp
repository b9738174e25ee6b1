// Replays the fuzzers' seeds and every input that once made one fail
// through each reader and writer.
#include "netlist/converter.h"
#include "testutil.h"

#include <gtest/gtest.h>
#include <wx/log.h>

#include <filesystem>

namespace
{
std::vector<std::string> FuzzInputs()
{
    std::vector<std::string> inputs;
    const std::filesystem::path root = std::filesystem::path(WIRELACE_SOURCE_DIR) / "fuzz";
    for (const char* folder : {"corpus", "regressions"})
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root / folder))
            if (entry.is_regular_file() && entry.path().filename() != "README")
                inputs.push_back(entry.path().string());
    return inputs;
}
}

TEST(FuzzRegression, EveryKeptInputConvertsBetweenEveryFormat)
{
    wxLogNull quiet;
    testutil::TempDir dir;
    const std::vector<std::string> inputs = FuzzInputs();
    ASSERT_FALSE(inputs.empty());
    for (const std::string& input : inputs)
        for (uint32_t from = 0; from < 3; ++from)
            for (uint32_t to = 0; to < 3; ++to)
                EXPECT_TRUE(kqNetConverter::Execute(input, from, dir.File("out"), to))
                    << input << " from " << from << " to " << to;
}
