// The format table.
#include "netlist/mode.h"
#include "netlist/reader.h"
#include "netlist/writer.h"

#include <gtest/gtest.h>

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
