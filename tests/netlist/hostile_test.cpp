// Files no netlist tool wrote: every format must read them to some netlist
// and return, and conversion must never leave a partial or mixed file.
#include "netlist/converter.h"
#include "netlist/mode.h"
#include "netlist/reader.h"
#include "testutil.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <wx/log.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>

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
    std::ofstream(dir.File("huge")).close();
    std::filesystem::resize_file(dir.File("huge"), size); // one line of NUL bytes
    rusage before{}, after{};
    getrusage(RUSAGE_SELF, &before);
    for (uint32_t mode : FORMATS)
        EXPECT_TRUE(ReadPath(mode, dir.File("huge")));
    getrusage(RUSAGE_SELF, &after);
    // One byte becomes one wide character, held a few times over at most.
    EXPECT_LT(after.ru_maxrss - before.ru_maxrss, static_cast<long>(size / 1024 * 24));
}

TEST(Hostile, AFileWithoutReadPermissionGivesFalse)
{
    testutil::TempDir dir;
    testutil::WriteBytes(dir.File("locked"), "GND U1.7\n");
    namespace fs = std::filesystem;
    fs::permissions(dir.File("locked"), fs::perms::none);
    fs::permissions(dir.Path(), fs::perms::owner_all | fs::perms::others_exec);
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0)
    {
        // Root reads every file whatever its permissions: read as nobody.
        const uid_t NOBODY = 65534;
        if (geteuid() == 0 && (setgid(NOBODY) != 0 || setuid(NOBODY) != 0))
            _exit(2);
        for (uint32_t mode : FORMATS)
            if (ReadPath(mode, dir.File("locked")))
                _exit(1);
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << "2: could not become nobody; 1: the file was read";
}

TEST(Hostile, ConvertingIntoAMissingFolderFailsAndCreatesNothing)
{
    wxLogNull quiet;
    testutil::TempDir dir;
    testutil::WriteBytes(dir.File("in"), "GND U1.7\n");
    for (uint32_t mode : FORMATS)
        EXPECT_FALSE(kqNetConverter::Execute(dir.File("in"), mode, dir.File("missing/out"), mode));
    EXPECT_FALSE(testutil::Exists(dir.File("missing")));
}

// NUL and random bytes, the fuzzers' seeds and every input that once made
// one fail.
TEST(Hostile, NoiseAndEveryKeptFuzzInputConvertBetweenEveryFormat)
{
    wxLogNull quiet;
    testutil::TempDir dir;
    std::mt19937 random(1);
    std::string noise(1 << 16, '\0');
    for (char& byte : noise)
        byte = static_cast<char>(random());
    testutil::WriteBytes(dir.File("nul"), std::string(4096, '\0'));
    testutil::WriteBytes(dir.File("noise"), noise);
    std::vector<std::string> inputs = {dir.File("nul"), dir.File("noise")};
    for (const char* folder : {"corpus", "regressions"})
        for (const auto& entry : std::filesystem::recursive_directory_iterator(
                 std::filesystem::path(WIRELACE_SOURCE_DIR) / "fuzz" / folder))
            if (entry.is_regular_file() && entry.path().filename() != "README")
                inputs.push_back(entry.path().string());
    ASSERT_GT(inputs.size(), 2u);
    for (const std::string& input : inputs)
        for (uint32_t from : FORMATS)
            for (uint32_t to : FORMATS)
                EXPECT_TRUE(kqNetConverter::Execute(input, from, dir.File("out"), to))
                    << input << " from " << from << " to " << to;
}
