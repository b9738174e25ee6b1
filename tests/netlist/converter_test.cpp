// The converter: a file converted onto a target takes its place whole or
// not at all, and changes nothing of it but its text: links, other names,
// attributes, owner, group and permission bits stay, and the system's own
// guards decide where the user may write.
#include "netlist/converter.h"
#include "testutil.h"

#include <gtest/gtest.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <wx/log.h>

#include <filesystem>
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

// Makes `path` a folder or file of `owner` and `group` with the permission
// bits `mode` (after any the umask took away).
void Own(const std::string& path, uid_t owner, gid_t group, mode_t mode)
{
    EXPECT_EQ(lchown(path.c_str(), owner, group), 0) << path;
    EXPECT_EQ(chmod(path.c_str(), mode), 0) << path;
}

// Everything written to the toolkit's log while it lives.
class LoggedText : public wxLog
{
public:
    LoggedText() : m_previous(wxLog::SetActiveTarget(this)) {}
    ~LoggedText() override { wxLog::SetActiveTarget(m_previous); }
    const wxString& Text() const { return m_text; }

protected:
    void DoLogTextAtLevel(wxLogLevel, const wxString& message) override
    {
        m_text += message + "\n";
    }

private:
    wxLog* m_previous;
    wxString m_text;
};
}

TEST(Converter, OntoItsOwnPathInTheWritersLayout)
{
    testutil::TempDir dir;
    testutil::WriteBytes(dir.File("a"), "$NETS\nB ; X.2 X.1 ,\n  X.2\nA;Y.1\n$END\n");
    EXPECT_TRUE(kqNetConverter::Execute(dir.File("a"), 0, dir.File("a"), 0));
    EXPECT_EQ(testutil::ReadBytes(dir.File("a")), "$NETS\nB;\tX.2 X.1 X.2\nA;\tY.1\n$END\n");
}

// The new text takes the place of the file a target names: a link stays a
// link, and the file keeps its permission bits; a new file gets what the
// umask allows, as any other.
TEST(Converter, KeepsLinksAndPermissionBits)
{
    testutil::TempDir dir;
    testutil::WriteBytes(dir.File("in"), TEXT);
    testutil::WriteBytes(dir.File("target"), "old\n");
    fs::permissions(dir.File("target"), fs::perms(0640));
    fs::create_symlink("target", dir.File("link"));
    fs::create_symlink("made", dir.File("dangling"));
    for (const char* out : {"link", "dangling", "new"})
        EXPECT_TRUE(kqNetConverter::Execute(dir.File("in"), 0, dir.File(out), 0)) << out;
    EXPECT_TRUE(fs::is_symlink(dir.File("link")) && fs::is_symlink(dir.File("dangling")));
    for (const char* out : {"target", "made", "new"})
        EXPECT_EQ(testutil::ReadBytes(dir.File(out)), TEXT) << out;
    EXPECT_EQ(fs::status(dir.File("target")).permissions(), fs::perms(0640));
    const mode_t umaskBits = umask(0);
    umask(umaskBits);
    EXPECT_EQ(fs::status(dir.File("new")).permissions(), fs::perms(0666 & ~umaskBits));
}

TEST(Converter, EveryNameOfAHardLinkedFileGetsTheText)
{
    testutil::TempDir dir;
    testutil::WriteBytes(dir.File("in"), TEXT);
    testutil::WriteBytes(dir.File("a"), "old\n");
    fs::create_hard_link(dir.File("a"), dir.File("b"));
    EXPECT_TRUE(kqNetConverter::Execute(dir.File("in"), 0, dir.File("a"), 0));
    EXPECT_EQ(testutil::ReadBytes(dir.File("a")), TEXT);
    EXPECT_EQ(testutil::ReadBytes(dir.File("b")), TEXT);
    EXPECT_EQ(fs::hard_link_count(dir.File("a")), 2u);
    EXPECT_EQ(testutil::FilesIn(dir.Path()), (std::set<std::string>{"in", "a", "b"}));
}

TEST(Converter, AnExtendedAttributeSurvives)
{
    testutil::TempDir dir;
    testutil::WriteBytes(dir.File("in"), TEXT);
    testutil::WriteBytes(dir.File("out"), "old\n");
    const std::string out = dir.File("out");
    if (setxattr(out.c_str(), "user.wirelace", "kept", 4, 0) != 0)
        GTEST_SKIP() << "this file system keeps no user attributes";
    EXPECT_TRUE(kqNetConverter::Execute(dir.File("in"), 0, out, 0));
    EXPECT_EQ(testutil::ReadBytes(out), TEXT);
    char value[8] = {};
    EXPECT_EQ(getxattr(out.c_str(), "user.wirelace", value, sizeof value), 4);
    EXPECT_STREQ(value, "kept");
}

// Written in place, a file that cannot grow to the new length must fail
// before its old text is touched, under every name.
TEST(Converter, AHardLinkedTargetUnderASizeLimitKeepsItsOldText)
{
    testutil::TempDir dir;
    std::string text = "$NETS\n";
    for (int net = 0; net < 1000; ++net)
        text += "N" + std::to_string(net) + ";\tU1." + std::to_string(net) + " R7.2\n";
    text += "$END\n";
    testutil::WriteBytes(dir.File("in"), text);
    testutil::WriteBytes(dir.File("a"), "kept\n");
    fs::create_hard_link(dir.File("a"), dir.File("b"));
    for (uint64_t limit : {uint64_t(2048), uint64_t(text.size() - 1)})
    {
        EXPECT_EQ(testutil::ConvertWithinLimit(dir.File("in"), dir.File("a"), limit), 1) << limit;
        EXPECT_EQ(testutil::ReadBytes(dir.File("a")), "kept\n") << limit;
        EXPECT_EQ(testutil::ReadBytes(dir.File("b")), "kept\n") << limit;
    }
    EXPECT_EQ(testutil::ConvertWithinLimit(dir.File("in"), dir.File("a"), text.size()), 0);
    EXPECT_TRUE(testutil::ReadBytes(dir.File("b")) == text) << "not converted under both names";
    EXPECT_EQ(testutil::FilesIn(dir.Path()), (std::set<std::string>{"in", "a", "b"}));
}

// Nothing is created on the way, and the message names the file the user
// chose, not one the converter made up.
TEST(Converter, AFailureIsReportedUnderTheChosenName)
{
    testutil::TempDir dir;
    testutil::WriteBytes(dir.File("in"), TEXT);
    const std::string chosen = dir.File("missing/out");
    LoggedText log;
    EXPECT_FALSE(kqNetConverter::Execute(dir.File("in"), 0, chosen, 0));
    EXPECT_TRUE(log.Text().Contains("'" + chosen + "'")) << log.Text();
    EXPECT_FALSE(log.Text().Contains(".wirelace")) << log.Text();
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
        return testutil::InChild([&] {
            wxLogNull quiet;
            if (setgroups(user.groups.size(), user.groups.data()) != 0 ||
                setresgid(user.gid, user.gid, user.gid) != 0 ||
                setresuid(user.uid, user.uid, user.uid) != 0)
                return 2;
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

// A project folder the user may not add files to, with a file that is his
// or that was opened to him.
TEST_F(ConverterAsAnotherUser, AWritableFileInAFolderHeCannotWriteTo)
{
    const std::string folder = Folder("project", 0, 0, 0755);
    const struct { uid_t owner; mode_t mode; } files[] = {{USER, 0644}, {0, 0666}};
    for (const auto& file : files)
    {
        const std::string out = File(folder + "/net", file.owner, file.owner, file.mode);
        EXPECT_EQ(ConvertAs({USER, USER, {}}, out), 0) << file.owner;
        ExpectFile(out, TEXT, file.owner, file.owner, file.mode);
        EXPECT_EQ(testutil::FilesIn(folder), (std::set<std::string>{"net"}));
    }
}

// A shared drop folder: sticky and open to all, holding another user's
// file that all may write. The folder is that user's own, so the kernel's
// guard for files in such folders (protected_regular) lets it be written
// whatever its setting.
TEST_F(ConverterAsAnotherUser, AnotherUsersFileInAStickyFolder)
{
    const std::string folder = Folder("drop", COLLEAGUE, COLLEAGUE, 01777);
    const std::string out = File(folder + "/net", COLLEAGUE, COLLEAGUE, 0666);
    EXPECT_EQ(ConvertAs({USER, USER, {}}, out), 0);
    ExpectFile(out, TEXT, COLLEAGUE, COLLEAGUE, 0666);
    EXPECT_EQ(testutil::FilesIn(folder), (std::set<std::string>{"net"}));
}

// A colleague's file that their team may write, converted by a member of
// the team: it stays the colleague's, and the colleague can still read it.
TEST_F(ConverterAsAnotherUser, AColleaguesGroupFileStaysTheirs)
{
    const std::string folder = Folder("team", 0, TEAM, 0775);
    const std::string out = File(folder + "/net", COLLEAGUE, TEAM, 0660);
    EXPECT_EQ(ConvertAs({USER, USER, {TEAM}}, out), 0);
    ExpectFile(out, TEXT, COLLEAGUE, TEAM, 0660);
    EXPECT_EQ(testutil::FilesIn(folder), (std::set<std::string>{"net"}));
    EXPECT_EQ(As({COLLEAGUE, COLLEAGUE, {}}, [&] { return testutil::ReadBytes(out) == TEXT; }), 0);
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
