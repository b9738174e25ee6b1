// Files no netlist tool wrote: every format must read them to some netlist
// and return, and conversion must never leave a partial or mixed file.
#include "netlist/bytes.h"
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

using testutil::NetSpecs;

namespace
{
class EveryFormat : public testing::TestWithParam<uint32_t>
{
protected:
    // Reads the bytes with this test's format; the reader's result.
    bool Read(const std::string& bytes, kqNetList& list)
    {
        testutil::WriteBytes(m_dir.File("in"), bytes);
        return ReadPath(m_dir.File("in"), list);
    }
    bool ReadPath(const std::string& path, kqNetList& list)
    {
        std::unique_ptr<kqNetListReader> reader(kqNetMode::GetReader(GetParam()));
        return reader && reader->Read(path, list);
    }

    testutil::TempDir m_dir;
    wxLogNull m_quiet;
};

std::string RandomBytes(size_t size, uint32_t seed)
{
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& byte : bytes)
        byte = static_cast<char>(random());
    return bytes;
}

long PeakResidentKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}
}

TEST_P(EveryFormat, EmptyNulAndRandomBytesReadWithoutTrouble)
{
    for (const std::string& bytes :
         {std::string(), std::string(4096, '\0'), RandomBytes(1 << 16, 1), RandomBytes(1 << 16, 2),
          std::string("\r\r\r\n\n\r\x04\x04", 8)})
    {
        kqNetList list;
        EXPECT_TRUE(Read(bytes, list));
    }
}

TEST_P(EveryFormat, CrOnlyAndMixedLineEndsReadAlike)
{
    const NetSpecs nets{{"GND", {"U1.7", "C3.2"}}, {"VCC", {"U1.14"}}};
    const std::string lf = testutil::WriteAs(GetParam(), nets);
    std::string cr = lf, crlf, mixed;
    std::replace(cr.begin(), cr.end(), '\n', '\r');
    int line = 0;
    for (char c : lf)
    {
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
        mixed += c == '\n' ? std::string(line++ % 2 ? "\r" : "\r\n") : std::string(1, c);
    }
    for (const std::string& bytes : {cr, crlf, mixed})
        EXPECT_EQ(testutil::ReadAs(GetParam(), bytes), nets);
}

TEST_P(EveryFormat, AHugeSingleLineCostsMemoryInProportion)
{
    const size_t size = 100u << 20;
    {
        std::ofstream out(m_dir.File("huge"), std::ios::binary);
        const std::string block(1 << 20, 'x');
        for (size_t written = 0; written < size; written += block.size())
            out.write(block.data(), static_cast<std::streamsize>(block.size()));
    }
    const long before = PeakResidentKilobytes();
    kqNetList list;
    EXPECT_TRUE(ReadPath(m_dir.File("huge"), list));
    const long grownKilobytes = PeakResidentKilobytes() - before;
    // One byte becomes one wide character, held a few times over at most.
    EXPECT_LT(grownKilobytes, static_cast<long>(size / 1024 * 24));
}

TEST_P(EveryFormat, PathsThatCannotBeReadGiveFalse)
{
    kqNetList list;
    EXPECT_FALSE(ReadPath(m_dir.File("vanished"), list));
    EXPECT_FALSE(ReadPath(m_dir.Path(), list));
    EXPECT_TRUE(list.m_nets.empty());
}

TEST_P(EveryFormat, AFileWithoutReadPermissionGivesFalse)
{
    testutil::WriteBytes(m_dir.File("locked"), testutil::WriteAs(GetParam(), {{"A", {"x"}}}));
    std::filesystem::permissions(m_dir.File("locked"), std::filesystem::perms::none);
    std::filesystem::permissions(m_dir.Path(), std::filesystem::perms::owner_all |
                                                   std::filesystem::perms::others_exec);
    // Root reads every file whatever its permissions: read as nobody.
    const bool asNobody = geteuid() == 0;
    const pid_t child = asNobody ? fork() : 0;
    ASSERT_NE(child, -1);
    if (child == 0)
    {
        const uid_t NOBODY = 65534;
        if (asNobody && (setgid(NOBODY) != 0 || setuid(NOBODY) != 0))
            _exit(2);
        kqNetList list;
        const bool refused = !ReadPath(m_dir.File("locked"), list) && list.m_nets.empty();
        if (asNobody)
            _exit(refused ? 0 : 1);
        EXPECT_TRUE(refused);
        return;
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "2: could not become nobody; 1: the file was read";
}

TEST_P(EveryFormat, ConvertingIntoAMissingFolderFailsAndCreatesNothing)
{
    testutil::WriteBytes(m_dir.File("in"), testutil::WriteAs(GetParam(), {{"A", {"x"}}}));
    const std::string out = m_dir.File("missing/out");
    EXPECT_FALSE(kqNetConverter::Execute(m_dir.File("in"), GetParam(), out, GetParam()));
    EXPECT_FALSE(testutil::Exists(m_dir.File("missing")));
}

std::string FormatName(const testing::TestParamInfo<uint32_t>& info)
{
    static const char* const NAMES[] = {"Bsch", "Pads", "Ecf"};
    return NAMES[info.param];
}

INSTANTIATE_TEST_SUITE_P(Formats, EveryFormat, testing::Values(0u, 1u, 2u), FormatName);
