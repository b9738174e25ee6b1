// The converter.
#include "netlist/converter.h"
#include "testutil.h"

#include <gtest/gtest.h>
#include <wx/log.h>

#include <filesystem>

namespace
{
namespace fs = std::filesystem;

// What the input of most tests converts to, BSch/Allegro to BSch/Allegro.
const std::string TEXT = "$NETS\nA;\tX.1\n$END\n";
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
