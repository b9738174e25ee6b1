// The converter: a file converted onto a target takes its place whole or
// not at all, and changes nothing of it but its text: links, other names,
// attributes, owner, group and permission bits stay, and the system's own
// guards decide where the user may write.
#include "netlist/converter.h"
#include "testutil.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <wx/log.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <optional>
#include <sstream>
#include <utility>
#include <vector>

namespace
{
namespace fs = std::filesystem;

// What the input of most tests converts to, BSch/Allegro to BSch/Allegro.
const std::string TEXT = "$NETS\nA;\tX.1\n$END\n";

struct stat StatusOf(const std::string& path)
{
    struct stat status{};
    EXPECT_EQ(lstat(path.c_str(), &status), 0) << path;
    return status;
}

// An access list in the form the kernel keeps it in an extended attribute:
// version 2, then an entry of tag, permissions and id for each of
// `entries`, little-endian, where an id of 0 stands for none.
std::string AccessList(const std::vector<std::array<uint32_t, 3>>& entries)
{
    std::string bytes{'\x02', '\0', '\0', '\0'};
    const auto append = [&bytes](uint32_t value, int size) {
        for (int i = 0; i < size; ++i)
            bytes += char(value >> (8 * i));
    };
    for (const auto& [tag, permissions, id] : entries)
    {
        append(tag, 2);
        append(permissions, 2);
        append(id ? id : ~0u, 4);
    }
    return bytes;
}

// The file's permission bits and its access list, if any.
std::pair<mode_t, std::string> PermissionsOf(const std::string& path)
{
    char list[256];
    const ssize_t length = getxattr(path.c_str(), "system.posix_acl_access", list, sizeof list);
    return {StatusOf(path).st_mode & 07777, std::string(list, std::max<ssize_t>(length, 0))};
}

// While set, the permission bits of the first file given an owner through
// fchown, below: for a new file that replaces an old one, the bits it was
// made with, which another user could open it by before it had the old
// one's.
std::optional<mode_t>* bitsAtFirstOwner = nullptr;

// Makes `path` a folder or file of `owner` and `group` with the permission
// bits `mode` (after any the umask took away).
void Own(const std::string& path, uid_t owner, gid_t group, mode_t mode)
{
    EXPECT_EQ(lchown(path.c_str(), owner, group), 0) << path;
    EXPECT_EQ(chmod(path.c_str(), mode), 0) << path;
}
}

// Takes the place of the C library's fchown for this test program, so that
// a test can see a file's bits at the moment the converter first changes
// it, with nothing left to chance.
extern "C" int fchown(int fd, uid_t owner, gid_t group)
{
    struct stat status;
    if (bitsAtFirstOwner && !*bitsAtFirstOwner && fstat(fd, &status) == 0)
        *bitsAtFirstOwner = status.st_mode & 07777;
    return int(syscall(SYS_fchown, fd, owner, group));
}

// A new file that replaces a private file, or one the group may only read,
// is open to no one else from the moment it is made: a user who opened it
// then would keep it open once it took the old one's place.
TEST(Converter, AReplacingFileIsOpenToNoOneElseFromItsStart)
{
    testutil::TempDir dir;
    testutil::WriteBytes(dir.File("in"), TEXT);
    const mode_t umaskBits = umask(022);
    for (mode_t bits : {0600, 0640})
    {
        testutil::WriteBytes(dir.File("private"), "old\n");
        fs::permissions(dir.File("private"), fs::perms(bits));
        std::optional<mode_t> made;
        bitsAtFirstOwner = &made;
        EXPECT_TRUE(kqNetConverter::Execute(dir.File("in"), 0, dir.File("private"), 0));
        bitsAtFirstOwner = nullptr;
        EXPECT_TRUE(made.has_value()) << "the new file was never given an owner";
        EXPECT_EQ(made.value_or(0) & 077, 0u) << std::oct << made.value_or(0);
        EXPECT_EQ(PermissionsOf(dir.File("private")).first, bits);
        EXPECT_EQ(testutil::ReadBytes(dir.File("private")), TEXT);
    }
    umask(umaskBits);
}

TEST(Converter, OntoItsOwnPathInTheWritersLayout)
{
    testutil::TempDir dir;
    testutil::WriteBytes(dir.File("a"), "$NETS\nB ; X.2 X.1 ,\n  X.2\nA;Y.1\n$END\n");
    EXPECT_TRUE(kqNetConverter::Execute(dir.File("a"), 0, dir.File("a"), 0));
    EXPECT_EQ(testutil::ReadBytes(dir.File("a")), "$NETS\nB;\tX.2 X.1 X.2\nA;\tY.1\n$END\n");
}

// The new text takes the place of the file a target names, and nothing
// else changes: a link stays a link, the file keeps its permission bits,
// its other names and its attributes; a new file gets what the umask
// allows, as any other.
TEST(Converter, ChangesNothingButTheText)
{
    testutil::TempDir dir;
    testutil::WriteBytes(dir.File("in"), TEXT);
    testutil::WriteBytes(dir.File("target"), "old\n");
    fs::permissions(dir.File("target"), fs::perms(0640));
    fs::create_symlink("target", dir.File("link"));
    fs::create_symlink("made", dir.File("dangling"));
    testutil::WriteBytes(dir.File("linked"), "old\n");
    fs::create_hard_link(dir.File("linked"), dir.File("alias"));
    testutil::WriteBytes(dir.File("tagged"), "old\n");
    const std::string tagged = dir.File("tagged");
    const bool tags = setxattr(tagged.c_str(), "user.wirelace", "kept", 4, 0) == 0;
    for (const char* out : {"link", "target", "dangling", "new", "linked", "tagged"})
        EXPECT_TRUE(kqNetConverter::Execute(dir.File("in"), 0, dir.File(out), 0)) << out;
    EXPECT_TRUE(fs::is_symlink(dir.File("link")) && fs::is_symlink(dir.File("dangling")));
    for (const char* out : {"target", "alias", "made", "new", "tagged"})
        EXPECT_EQ(testutil::ReadBytes(dir.File(out)), TEXT) << out;
    EXPECT_EQ(fs::status(dir.File("target")).permissions(), fs::perms(0640));
    EXPECT_EQ(fs::hard_link_count(dir.File("linked")), 2u);
    const mode_t umaskBits = umask(0);
    umask(umaskBits);
    EXPECT_EQ(fs::status(dir.File("new")).permissions(), fs::perms(0666 & ~umaskBits));
    EXPECT_EQ(testutil::FilesIn(dir.Path()), (std::set<std::string>{"in", "target", "link",
              "dangling", "made", "linked", "alias", "new", "tagged"}));
    char value[8] = {};
    // Where the file system keeps no user attributes there is none to keep.
    EXPECT_TRUE(!tags || getxattr(tagged.c_str(), "user.wirelace", value, sizeof value) == 4);
    EXPECT_STREQ(value, tags ? "kept" : "");
}

// In a folder with a default access list (as shared project folders have,
// here u::rwx,g::rwx,o::---,u:1001:rwx,m::rwx), a new file gets the same
// permissions and list as one that any program creates there.
TEST(Converter, ANewFileGetsWhatItsFolderGives)
{
    testutil::TempDir dir;
    testutil::WriteBytes(dir.File("in"), TEXT);
    const std::string shared = dir.File("shared");
    fs::create_directory(shared);
    const std::string folderList =
        AccessList({{0x01, 7, 0}, {0x02, 7, 1001}, {0x04, 7, 0}, {0x10, 7, 0}, {0x20, 0, 0}});
    if (setxattr(shared.c_str(), "system.posix_acl_default", folderList.data(), folderList.size(),
                 0) != 0)
        GTEST_SKIP() << "this file system keeps no access lists";
    const int made = open((shared + "/made").c_str(), O_WRONLY | O_CREAT, 0666);
    EXPECT_EQ(close(made), 0);
    EXPECT_TRUE(kqNetConverter::Execute(dir.File("in"), 0, shared + "/net", 0));
    EXPECT_EQ(PermissionsOf(shared + "/net"), PermissionsOf(shared + "/made"));
}

// Two programs converting onto one file at once: a linked one, written in
// place, and a file of one name, replaced. Every run ends with one of the
// two texts whole, never a mix.
TEST(Converter, TwoConversionsAtOnceLeaveOneWholeText)
{
    wxLogNull quiet;
    testutil::TempDir dir;
    const std::string texts[] = {testutil::BschText(1), testutil::BschText(2)};
    testutil::WriteBytes(dir.File("short"), texts[0]);
    testutil::WriteBytes(dir.File("long"), texts[1]);
    testutil::WriteBytes(dir.File("linked"), "");
    fs::create_hard_link(dir.File("linked"), dir.File("alias"));
    for (const char* target : {"linked", "single"})
        for (int run = 0; run < 200; ++run)
        {
            const std::string out = dir.File(target);
            const auto convert = [&](const char* in) {
                return [&dir, &out, in] {
                    return kqNetConverter::Execute(dir.File(in), 0, out, 0) ? 0 : 1;
                };
            };
            EXPECT_EQ(testutil::InChildrenAtOnce({convert("short"), convert("long")}),
                      (std::vector<int>{0, 0}));
            const std::string now = testutil::ReadBytes(out);
            ASSERT_TRUE(now == texts[0] || now == texts[1]) << target << " run " << run;
        }
}

// Nothing is created on the way, and the message names the file the user
// chose, not one the converter made up.
TEST(Converter, AFailureIsReportedUnderTheChosenName)
{
    testutil::TempDir dir;
    testutil::WriteBytes(dir.File("in"), TEXT);
    const std::string chosen = dir.File("missing/out");
    std::ostringstream logged;
    wxLogStream log(&logged);
    wxLog* const before = wxLog::SetActiveTarget(&log);
    EXPECT_FALSE(kqNetConverter::Execute(dir.File("in"), 0, chosen, 0));
    wxLog::SetActiveTarget(before);
    EXPECT_NE(logged.str().find("'" + chosen + "'"), std::string::npos) << logged.str();
    EXPECT_EQ(logged.str().find(".wirelace"), std::string::npos) << logged.str();
    EXPECT_FALSE(testutil::Exists(dir.File("missing")));
}

TEST(Converter, FailureLeavesTheTargetAlone)
{
    wxLogNull quiet;
    testutil::TempDir dir;
    testutil::WriteBytes(dir.File("in"), "$NETS\nA;X.1\n$END\n");
    // An unknown format creates no file...
    EXPECT_FALSE(kqNetConverter::Execute(dir.File("in"), 3, dir.File("out"), 0));
    EXPECT_FALSE(kqNetConverter::Execute(dir.File("in"), 0, dir.File("out"), uint32_t(-1)));
    EXPECT_FALSE(testutil::Exists(dir.File("out")));
    // ...and an input that cannot be read leaves an existing target as it was.
    testutil::WriteBytes(dir.File("out"), "left alone\n");
    EXPECT_FALSE(kqNetConverter::Execute(dir.File("missing"), 0, dir.File("out"), 0));
    EXPECT_EQ(testutil::ReadBytes(dir.File("out")), "left alone\n");
}

// Conversions by users other than the folder's or the file's owner, in
// child processes that take their ids; only root can start those.
class ConverterAsAnotherUser : public testing::Test
{
protected:
    struct User
    {
        uid_t uid;
        gid_t gid;
        std::vector<gid_t> groups;
    };
    static constexpr uid_t USER = 1001;
    static constexpr uid_t COLLEAGUE = 1002;
    static constexpr gid_t TEAM = 2000;

    void SetUp() override
    {
        if (geteuid() != 0)
            GTEST_SKIP() << "only root can convert as other users";
        Own(m_dir.Path(), 0, 0, 0755);
        testutil::WriteBytes(In(), TEXT);
        Own(In(), 0, 0, 0644);
    }

    std::string In() const { return m_dir.File("in"); }
    // A folder of `owner` and `group` with the permission bits `mode`.
    std::string Folder(const std::string& name, uid_t owner, gid_t group, mode_t mode) const
    {
        const std::string path = m_dir.File(name);
        EXPECT_EQ(mkdir(path.c_str(), 0700), 0) << path;
        Own(path, owner, group, mode);
        return path;
    }
    // A file holding `text`, of `owner` and `group` with the bits `mode`.
    static std::string File(const std::string& path, uid_t owner, gid_t group, mode_t mode,
                            const std::string& text = "old\n")
    {
        testutil::WriteBytes(path, text);
        Own(path, owner, group, mode);
        return path;
    }

    // Runs `work` as `user` in a child process: 0 when it returns true, 1
    // when false, 2 when the ids could not be taken.
    static int As(const User& user, const std::function<bool()>& work)
    {
        return testutil::InChildAs(user.uid, user.gid, user.groups, [&] {
            wxLogNull quiet;
            return work() ? 0 : 1;
        });
    }
    int ConvertAs(const User& user, const std::string& out) const
    {
        const std::string in = In();
        return As(user, [&] { return kqNetConverter::Execute(in, 0, out, 0); });
    }

    // Whether the kernel guard /proc/sys/fs/`name` is on; tests never
    // change it.
    static bool GuardIsOn(const std::string& name)
    {
        const std::string setting = testutil::ReadBytes("/proc/sys/fs/" + name);
        return !setting.empty() && setting[0] != '0';
    }

    // The file's text, owner, group and permission bits are as expected.
    static void ExpectFile(const std::string& path, const std::string& text, uid_t owner,
                           gid_t group, mode_t mode)
    {
        EXPECT_EQ(testutil::ReadBytes(path), text) << path;
        const struct stat status = StatusOf(path);
        EXPECT_EQ(status.st_uid, owner) << path;
        EXPECT_EQ(status.st_gid, group) << path;
        EXPECT_EQ(status.st_mode & 07777, mode) << path;
    }

    testutil::TempDir m_dir;
};

// Files the user may write in folders he may not replace them in: the
// text goes in, and the file stays as it was in every other way.
// - a project folder he may not add files to, with a file that is his, and
//   one that was opened to him;
// - a shared drop folder, sticky and open to all, holding another user's
//   file that all may write; the folder is that user's own, so the
//   kernel's guard for such folders (protected_regular) lets it be written
//   whatever its setting;
// - a colleague's file that their team may write, converted by a member of
//   the team: it stays the colleague's, and the colleague can still read it;
// - the user's own file in his own project folder, both marked set-group-id
//   (chmod -R g+s), replaced by a new file that must carry the mark too.
TEST_F(ConverterAsAnotherUser, AWritableFileKeepsAllButItsText)
{
    const struct
    {
        const char* folder;
        uid_t folderOwner;
        gid_t folderGroup;
        mode_t folderMode;
        uid_t owner;
        gid_t group;
        mode_t mode;
    } cases[] = {{"project", 0, 0, 0755, USER, USER, 0644},
                 {"opened", 0, 0, 0755, 0, 0, 0666},
                 {"drop", COLLEAGUE, COLLEAGUE, 01777, COLLEAGUE, COLLEAGUE, 0666},
                 {"team", 0, TEAM, 0775, COLLEAGUE, TEAM, 0660},
                 {"marked", USER, USER, 02775, USER, USER, 02775}};
    for (const auto& c : cases)
    {
        const std::string folder = Folder(c.folder, c.folderOwner, c.folderGroup, c.folderMode);
        const std::string out = File(folder + "/net", c.owner, c.group, c.mode);
        EXPECT_EQ(ConvertAs({USER, USER, {TEAM}}, out), 0) << c.folder;
        ExpectFile(out, TEXT, c.owner, c.group, c.mode);
        EXPECT_EQ(testutil::FilesIn(folder), (std::set<std::string>{"net"})) << c.folder;
    }
    const std::string team = m_dir.File("team/net");
    EXPECT_EQ(As({COLLEAGUE, COLLEAGUE, {}}, [&] { return testutil::ReadBytes(team) == TEXT; }), 0);
}

// A link that another user put in a sticky folder open to all (such as
// /tmp), leading to the user's own file: the kernel refuses to follow it
// while protected_symlinks is on, and the converter must not follow it
// either.
TEST_F(ConverterAsAnotherUser, APlantedLinkIsNotFollowed)
{
    if (!GuardIsOn("protected_symlinks"))
        GTEST_SKIP() << "the kernel follows planted links here (protected_symlinks is 0)";
    const std::string home = Folder("home", USER, USER, 0700);
    const std::string own = File(home + "/.bashrc", USER, USER, 0644, "his own\n");
    const std::string shared = Folder("tmp", 0, 0, 01777);
    const std::string out = shared + "/out.net";
    fs::create_symlink(own, out);
    EXPECT_EQ(lchown(out.c_str(), COLLEAGUE, COLLEAGUE), 0);
    EXPECT_EQ(ConvertAs({USER, USER, {}}, out), 1);
    ExpectFile(own, "his own\n", USER, USER, 0644);
    EXPECT_TRUE(fs::is_symlink(out));
    EXPECT_EQ(testutil::FilesIn(shared), (std::set<std::string>{"out.net"}));
    EXPECT_EQ(testutil::FilesIn(home), (std::set<std::string>{".bashrc"}));
}

// A file that another user put in a sticky folder open to all, under the
// name the user (or root) converts to: while protected_regular is on, the
// kernel refuses to open it, and it is left alone.
TEST_F(ConverterAsAnotherUser, APlantedFileIsLeftAlone)
{
    if (!GuardIsOn("protected_regular"))
        GTEST_SKIP() << "the kernel opens planted files here (protected_regular is 0)";
    const std::string shared = Folder("tmp", 0, 0, 01777);
    const std::string out = File(shared + "/out.net", COLLEAGUE, COLLEAGUE, 0666, "planted\n");
    for (uid_t user : {USER, uid_t(0)})
    {
        EXPECT_EQ(ConvertAs({user, user, {}}, out), 1) << user;
        ExpectFile(out, "planted\n", COLLEAGUE, COLLEAGUE, 0666);
        EXPECT_EQ(testutil::FilesIn(shared), (std::set<std::string>{"out.net"}));
    }
}
