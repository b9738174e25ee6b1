// The format table and the converter.
#include "netlist/converter.h"
#include "netlist/mode.h"
#include "netlist/reader.h"
#include "netlist/writer.h"
#include "testutil.h"

#include <gtest/gtest.h>
#include <wx/log.h>

#include <memory>

namespace
{
const uint32_t BSCH = 0;
const uint32_t NO_FORMAT = static_cast<uint32_t>(-1);

// The class name the registry created `object` under.
std::string ClassOf(const wxObject* object)
{
    return object ? wxString(object->GetClassInfo()->GetClassName()).ToStdString() : "(null)";
}
}

// ---- The table --------------------------------------------------------------

TEST(FormatTable, WildcardNamesEveryFormatInTableOrder)
{
    EXPECT_EQ(kqNetMode::GetDialogWildcard(), "BSch/Allegro|*.*|PADS|*.*|ZukenECF|*.*");
}

TEST(FormatTable, ModeIsThePositionInsideTheTable)
{
    EXPECT_EQ(kqNetMode::GetMode(0), 0);
    EXPECT_EQ(kqNetMode::GetMode(1), 1);
    EXPECT_EQ(kqNetMode::GetMode(2), 2);
    EXPECT_EQ(kqNetMode::GetMode(3), -1);
    EXPECT_EQ(kqNetMode::GetMode(NO_FORMAT), -1);
}

TEST(FormatTable, CreatesReadersAndWritersByClassName)
{
    std::unique_ptr<kqNetListReader> reader(kqNetMode::GetReader(BSCH));
    std::unique_ptr<kqNetListWriter> writer(kqNetMode::GetWriter(BSCH));
    EXPECT_EQ(ClassOf(reader.get()), "kqNetBschReader");
    EXPECT_EQ(ClassOf(writer.get()), "kqNetBschWriter");
    // Registered straight under wxObject, not under the family's base.
    EXPECT_EQ(wxString(reader->GetClassInfo()->GetBaseClassName1()), "wxObject");

    // A format whose classes are not linked in yields null, never a wrong class.
    const char* readers[] = {"kqNetBschReader", "kqNetPadsReader", "kqNetECFReader"};
    const char* writers[] = {"kqNetBschWriter", "kqNetPadsWriter", "kqNetECFWriter"};
    for (uint32_t id = 1; id < 3; ++id)
    {
        reader.reset(kqNetMode::GetReader(id));
        writer.reset(kqNetMode::GetWriter(id));
        if (reader)
        {
            EXPECT_EQ(ClassOf(reader.get()), readers[id]);
        }
        if (writer)
        {
            EXPECT_EQ(ClassOf(writer.get()), writers[id]);
        }
    }
}

TEST(FormatTable, IdsWithoutARowGiveNull)
{
    for (uint32_t id : {3u, 4u, NO_FORMAT})
    {
        EXPECT_EQ(kqNetMode::GetReader(id), nullptr) << id;
        EXPECT_EQ(kqNetMode::GetWriter(id), nullptr) << id;
    }
}

TEST(FormatTable, EachCallCreatesANewObject)
{
    std::unique_ptr<kqNetListReader> first(kqNetMode::GetReader(BSCH));
    std::unique_ptr<kqNetListReader> second(kqNetMode::GetReader(BSCH));
    EXPECT_NE(first, second);
    std::unique_ptr<kqNetListWriter> firstWriter(kqNetMode::GetWriter(BSCH));
    std::unique_ptr<kqNetListWriter> secondWriter(kqNetMode::GetWriter(BSCH));
    EXPECT_NE(firstWriter, secondWriter);
}

// ---- The converter ------------------------------------------------------------

namespace
{
// Out of name order, duplicates, a continuation: the writer's own layout
// must keep all of it.
const std::string MESSY_INPUT = "(NETLIST)\n"
                                "$NETS\n"
                                "VCC ; U2.14 U1.14 ,\n"
                                "        U2.14\n"
                                "GND;U1.7\n"
                                "$END\n";
const std::string TIDY_OUTPUT = "$NETS\n"
                                "VCC;\tU2.14 U1.14 U2.14\n"
                                "GND;\tU1.7\n"
                                "$END\n";
const std::string TARGET = "left alone\n";

class Converter : public testing::Test
{
protected:
    bool Convert(const std::string& in, uint32_t inMode, const std::string& out, uint32_t outMode)
    {
        return kqNetConverter::Execute(wxString(in), inMode, wxString(out), outMode);
    }

    testutil::TempDir m_dir;
    const std::string m_in = m_dir.File("in.net");
    const std::string m_out = m_dir.File("out.net");
};
}

TEST_F(Converter, SameFormatRewritesInTheWritersLayoutKeepingOrder)
{
    testutil::WriteBytes(m_in, MESSY_INPUT);
    EXPECT_TRUE(Convert(m_in, BSCH, m_out, BSCH));
    EXPECT_EQ(testutil::ReadBytes(m_out), TIDY_OUTPUT);
    EXPECT_EQ(testutil::ReadBytes(m_in), MESSY_INPUT);
}

TEST_F(Converter, OntoItsOwnPath)
{
    testutil::WriteBytes(m_in, MESSY_INPUT);
    EXPECT_TRUE(Convert(m_in, BSCH, m_in, BSCH));
    EXPECT_EQ(testutil::ReadBytes(m_in), TIDY_OUTPUT);
}

TEST_F(Converter, InputWithoutNetsGivesAnEmptyNetlist)
{
    testutil::WriteBytes(m_in, "");
    EXPECT_TRUE(Convert(m_in, BSCH, m_out, BSCH));
    EXPECT_EQ(testutil::ReadBytes(m_out), "$NETS\n$END\n");
}

TEST_F(Converter, UnknownFormatCreatesNoFile)
{
    testutil::WriteBytes(m_in, MESSY_INPUT);
    EXPECT_FALSE(Convert(m_in, NO_FORMAT, m_out, BSCH));
    EXPECT_FALSE(testutil::Exists(m_out));
    EXPECT_FALSE(Convert(m_in, BSCH, m_out, NO_FORMAT));
    EXPECT_FALSE(Convert(m_in, BSCH, m_out, 3));
    EXPECT_FALSE(testutil::Exists(m_out));
}

TEST_F(Converter, UnreadableInputLeavesTheTargetAlone)
{
    wxLogNull quiet;
    // Missing file: no target appears, and an existing one keeps its bytes.
    EXPECT_FALSE(Convert(m_dir.File("missing.net"), BSCH, m_out, BSCH));
    EXPECT_FALSE(testutil::Exists(m_out));
    testutil::WriteBytes(m_out, TARGET);
    EXPECT_FALSE(Convert(m_dir.File("missing.net"), BSCH, m_out, BSCH));
    EXPECT_EQ(testutil::ReadBytes(m_out), TARGET);
    // A folder opens but cannot be read.
    EXPECT_FALSE(Convert(m_dir.Path(), BSCH, m_out, BSCH));
    EXPECT_EQ(testutil::ReadBytes(m_out), TARGET);
}

TEST_F(Converter, TargetThatCannotBeCreatedIsAFailure)
{
    wxLogNull quiet;
    testutil::WriteBytes(m_in, MESSY_INPUT);
    EXPECT_FALSE(Convert(m_in, BSCH, m_dir.File("no-such-folder/out.net"), BSCH));
}
