// The format table and the converter.
#include "netlist/converter.h"
#include "netlist/mode.h"
#include "netlist/reader.h"
#include "netlist/writer.h"
#include "testutil.h"

#include <gtest/gtest.h>
#include <wx/log.h>

namespace
{
// The class name `created` was registered under, or "null"; deletes it.
wxString ClassOf(wxObject* created)
{
    const wxString name = created ? wxString(created->GetClassInfo()->GetClassName()) : "null";
    delete created;
    return name;
}
}

TEST(FormatTable, WildcardModesReadersAndWriters)
{
    EXPECT_EQ(kqNetMode::GetDialogWildcard(), "BSch/Allegro|*.*|PADS|*.*|ZukenECF|*.*");
    const struct { uint32_t id; int32_t mode; const char* reader; const char* writer; } rows[] = {
        {0, 0, "kqNetBschReader", "kqNetBschWriter"}, {1, 1, "kqNetPadsReader", "kqNetPadsWriter"},
        {2, 2, "kqNetECFReader", "kqNetECFWriter"}, {3, -1, "null", "null"},
        {uint32_t(-1), -1, "null", "null"}};
    for (const auto& row : rows)
    {
        EXPECT_EQ(kqNetMode::GetMode(row.id), row.mode) << row.id;
        EXPECT_EQ(ClassOf(kqNetMode::GetReader(row.id)), row.reader) << row.id;
        EXPECT_EQ(ClassOf(kqNetMode::GetWriter(row.id)), row.writer) << row.id;
    }
}

TEST(Converter, OntoItsOwnPathInTheWritersLayout)
{
    testutil::TempDir dir;
    testutil::WriteBytes(dir.File("a"), "$NETS\nB ; X.2 X.1 ,\n  X.2\nA;Y.1\n$END\n");
    EXPECT_TRUE(kqNetConverter::Execute(dir.File("a"), 0, dir.File("a"), 0));
    EXPECT_EQ(testutil::ReadBytes(dir.File("a")), "$NETS\nB;\tX.2 X.1 X.2\nA;\tY.1\n$END\n");
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
