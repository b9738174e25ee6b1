// Files no netlist tool wrote, and places that refuse what is written:
// every format must read any bytes to some netlist and return, and a
// conversion that cannot finish must leave its target as it was (or
// absent), never a partial or mixed file.
#include "netlist/converter.h"
#include "netlist/mode.h"
#include "netlist/reader.h"
#include "testutil.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <wx/log.h>

#include <algorithm>
#include <cstdlib>
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
// place because it has a second name ("linked", also "alias"). The linked
// target is longer than the new text: a size limit stops writes wherever
// the file ends.
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
        const std::string text = testutil::BschText(nets);
        const std::string longer(text.size() + 7000, 'k');
        for (const char* target : {"in", "other", "linked"})
        {
            testutil::WriteBytes(dir.File("in"), text);
            testutil::WriteBytes(dir.File("other"), "kept\n");
            testutil::WriteBytes(dir.File("linked"), longer);
            const std::string before = testutil::ReadBytes(dir.File(target));
            // Cut in the first block, and in the last by a single byte.
            for (rlim_t limit : {rlim_t(2048), rlim_t(text.size() - 1)})
            {
                EXPECT_EQ(testutil::ConvertWithinLimit(dir.File("in"), dir.File(target), limit), 1)
                    << nets << " nets onto " << target << " within " << limit;
                EXPECT_TRUE(testutil::ReadBytes(dir.File(target)) == before) << "changed";
                EXPECT_TRUE(testutil::ReadBytes(dir.File("alias")) == longer) << "alias changed";
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

// A small file system of 16 MiB, mounted for the life of the object: a
// loop-mounted image in the layout of ext3, which cannot reserve room for a
// file (no fallocate); a tmpfs, which can; or a btrfs image, which writes
// every overwritten block to new room. Only root can mount one; Mounted()
// says whether it could be done here.
class SmallDisk
{
public:
    enum Kind
    {
        EXT3,
        TMPFS,
        BTRFS
    };

    explicit SmallDisk(Kind kind)
    {
        if (geteuid() != 0)
            return;
        const std::string image = m_dir.File("image");
        const std::string folder = Path();
        std::filesystem::create_directory(folder);
        testutil::WriteBytes(image, "");
        std::filesystem::resize_file(image, 16 << 20); // the least btrfs takes
        const std::string loop = " >/dev/null 2>&1 && mount -o loop " + image + " " + folder;
        const std::string mount =
            kind == TMPFS  ? "mount -t tmpfs -o size=16m tmpfs " + folder
            : kind == EXT3 ? "mkfs.ext3 -q -F -m 0 " + image + loop
                           : "mkfs.btrfs -q -f --mixed " + image + loop;
        m_mounted = std::system((mount + " 2>/dev/null").c_str()) == 0;
    }
    ~SmallDisk()
    {
        if (m_mounted && std::system(("umount " + Path()).c_str()) != 0)
            ADD_FAILURE() << "cannot unmount " << Path();
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool Mounted() const { return m_mounted; }
    std::string Path() const { return m_dir.File("mounted"); }
    // Lets other users reach the disk's own folder.
    void OpenToAll() const
    {
        std::filesystem::permissions(m_dir.Path(), std::filesystem::perms(0755));
    }

    // Writes `filler` until the disk is full, then gives `room` bytes back:
    // it removes a file of that length made first, since cutting a file
    // short takes new room on btrfs. Freed blocks count once committed.
    void FillLeaving(const std::string& filler, off_t room) const
    {
        const std::string spare = filler + ".spare";
        testutil::WriteBytes(spare, std::string(room, 's'));
        sync();
        const int fd = open(filler.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const std::string block(4096, 'f');
        while (fd != -1 && write(fd, block.data(), block.size()) > 0)
        {
        }
        close(fd);
        std::filesystem::remove(spare);
        sync();
    }

private:
    testutil::TempDir m_dir;
    bool m_mounted = false;
};

const char NO_SMALL_DISK[] = "no small disk of this kind can be mounted here (needs root, a "
                             "loop device, mkfs.ext3, mkfs.btrfs and the kernel's btrfs)";

// Conversions onto an ext3 image, which cannot reserve room, from the
// file "in" of a folder of their own; skipped where no image can be
// mounted.
class HostileOnExt3 : public testing::Test
{
protected:
    void SetUp() override
    {
        if (!disk.Mounted())
            GTEST_SKIP() << NO_SMALL_DISK;
    }

    SmallDisk disk{SmallDisk::EXT3};
    testutil::TempDir dir;
    wxLogNull quiet;
};

// A linked target, which is written in place, on a nearly full disk that
// cannot reserve room: a text that outgrows the old one by more than the
// room left fails before the old text is touched, and once there is room
// it lands whole.
TEST_F(HostileOnExt3, AConversionOntoAFullDiskWithoutReservedRoomLeavesTheTarget)
{
    const std::string text = testutil::BschText(1000);
    const std::string old(4000, 'k');
    const std::string target = disk.Path() + "/net", alias = disk.Path() + "/alias";
    testutil::WriteBytes(dir.File("in"), text);
    testutil::WriteBytes(target, old);
    std::filesystem::create_hard_link(target, alias);
    disk.FillLeaving(disk.Path() + "/filler", 8192);
    ASSERT_GT(text.size(), old.size() + 8192 + 4096);

    EXPECT_FALSE(kqNetConverter::Execute(dir.File("in"), 0, target, 0));
    EXPECT_TRUE(testutil::ReadBytes(target) == old && testutil::ReadBytes(alias) == old);

    std::filesystem::remove(disk.Path() + "/filler");
    EXPECT_TRUE(kqNetConverter::Execute(dir.File("in"), 0, target, 0));
    EXPECT_TRUE(testutil::ReadBytes(target) == text && testutil::ReadBytes(alias) == text);
}

// Conversions onto a disk with room for less than a second copy of the
// text but more than it adds to the old one, from the file "in" of a folder
// of their own; skipped where no such disk can be mounted. The texts are of
// megabytes, as a full btrfs holds back more than a small one needs.
class HostileOnNearlyFullDisk : public testing::TestWithParam<SmallDisk::Kind>
{
protected:
    void SetUp() override
    {
        if (!disk.Mounted())
            GTEST_SKIP() << NO_SMALL_DISK;
        testutil::WriteBytes(dir.File("in"), text);
        ASSERT_GT(text.size(), size_t(ROOM));
        ASSERT_LT(text.size() - old.size(), size_t(ROOM));
    }
    void FillDisk() const { disk.FillLeaving(disk.Path() + "/filler", ROOM); }

    static constexpr off_t ROOM = 1 << 20;
    const std::string old = testutil::BschText(120000), text = testutil::BschText(124000);
    SmallDisk disk{GetParam()};
    testutil::TempDir dir;
    wxLogNull quiet;
};

// A file of one name, replaced by a new file beside it, keeps its old text,
// and no new file is left; a new name is not made at all. Writing the old
// file in place instead would stop part way on btrfs, where an overwritten
// block takes new room.
TEST_P(HostileOnNearlyFullDisk, AConversionIsRefusedAndLeavesTheTarget)
{
    const std::string target = disk.Path() + "/net";
    testutil::WriteBytes(target, old);
    FillDisk();
    EXPECT_FALSE(kqNetConverter::Execute(dir.File("in"), 0, target, 0));
    EXPECT_TRUE(testutil::ReadBytes(target) == old) << "changed";
    EXPECT_FALSE(kqNetConverter::Execute(dir.File("in"), 0, disk.Path() + "/new", 0));
    std::set<std::string> files{"net", "filler"};
    if (GetParam() == SmallDisk::EXT3)
        files.insert("lost+found");
    EXPECT_EQ(testutil::FilesIn(disk.Path()), files);
}

// A user's own set-group-id file, converted by that user, who is not root:
// the kernel would clear the bit on any write of his to the old file.
TEST_P(HostileOnNearlyFullDisk, AUsersOwnSetIdFileKeepsItsMode)
{
    const uid_t user = 1001;
    const std::string folder = disk.Path() + "/project", target = folder + "/net";
    std::filesystem::create_directory(folder);
    testutil::WriteBytes(target, old);
    ASSERT_EQ(chown(folder.c_str(), user, user) | chown(target.c_str(), user, user), 0);
    ASSERT_EQ(chmod(target.c_str(), 02775), 0);
    disk.OpenToAll();
    std::filesystem::permissions(dir.Path(), std::filesystem::perms(0755));
    FillDisk();
    const std::string in = dir.File("in");
    const auto convert = [&] { return kqNetConverter::Execute(in, 0, target, 0) ? 0 : 1; };
    EXPECT_EQ(testutil::InChildAs(user, user, {}, convert), 1);
    struct stat status;
    ASSERT_EQ(stat(target.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 02775u) << std::oct << status.st_mode;
    EXPECT_TRUE(testutil::ReadBytes(target) == old) << "changed";
    EXPECT_EQ(testutil::FilesIn(folder), std::set<std::string>{"net"});
}

std::string KindName(const testing::TestParamInfo<SmallDisk::Kind>& kind)
{
    static const char* const NAMES[] = {"ext3", "tmpfs", "btrfs"};
    return NAMES[kind.param];
}

INSTANTIATE_TEST_SUITE_P(Kinds, HostileOnNearlyFullDisk,
                         testing::Values(SmallDisk::TMPFS, SmallDisk::EXT3, SmallDisk::BTRFS),
                         KindName);

// A target with a hole below the text's end, on a full disk that cannot
// reserve room: the hole takes new blocks before the text can go over it.
// Old data then a hole to 2 MiB, which the text ends inside; and a little
// data then a hole to just short of the text's end, so the part past the
// old end fits. Both fail with no byte changed, and land whole with room.
TEST_F(HostileOnExt3, AConversionOntoASparseTargetOnAFullDiskLeavesTheTarget)
{
    const std::string text = testutil::BschText(3000);
    testutil::WriteBytes(dir.File("in"), text);
    const struct
    {
        const char* name;
        size_t data;
        off_t length;
    } targets[] = {{"long", 60 << 10, 2 << 20}, {"short", 4 << 10, off_t(text.size() - 2000)}};
    for (const auto& t : targets)
    {
        const std::string target = disk.Path() + "/" + t.name;
        testutil::WriteBytes(target, std::string(t.data, 'k'));
        std::filesystem::resize_file(target, t.length);
        std::filesystem::create_hard_link(target, target + ".alias");
    }
    for (const auto& t : targets)
    {
        disk.FillLeaving(disk.Path() + "/filler", 8192);
        const std::string target = disk.Path() + "/" + t.name;
        const std::string before = testutil::ReadBytes(target);
        EXPECT_FALSE(kqNetConverter::Execute(dir.File("in"), 0, target, 0)) << t.name;
        EXPECT_TRUE(testutil::ReadBytes(target) == before) << t.name << " changed";
    }
    std::filesystem::remove(disk.Path() + "/filler");
    for (const auto& t : targets)
    {
        const std::string target = disk.Path() + "/" + t.name;
        EXPECT_TRUE(kqNetConverter::Execute(dir.File("in"), 0, target, 0)) << t.name;
        EXPECT_TRUE(testutil::ReadBytes(target + ".alias") == text) << t.name;
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
