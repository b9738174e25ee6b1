#include "netlist/bytes.h"
#include "netlist/reader.h"
#include "netlist/writer.h"
#include "testutil.h"

#include <gtest/gtest.h>
#include <wx/log.h>

using testutil::NetSpecs;

namespace
{
// Logs every token with the one before it, and builds nets from a tiny
// grammar: "=name" opens a net, any other token is a node.
class RecordingReader : public kqNetListReader
{
public:
    std::string calls;
    void OnToken(const wxString& token) override
    {
        calls += kqStringToBytes(m_lastToken + ">" + token + " ");
        token.StartsWith("=") ? BeginOfNet(token.Mid(1)) : OnNode(token);
    }
    void OnTermLine() override { calls += kqStringToBytes(m_lastToken) + "| "; }
};

// Writes each name on a line of its own and each node after a space.
class PlainWriter : public kqNetListWriter
{
    void BeginOfNet(const wxString& name) override { *m_out << "\n" << name; }
    void OnNode(const wxString& node) override { *m_out << " " << node; }
    void EndOfList() override { *m_out << endl; }
};
}

TEST(Reader, DropsNodesBeforeANetAndPassesTheLastTokenAcrossEmptyLines)
{
    testutil::TempDir dir;
    const std::string name("\xE4\x80\0n", 4);
    testutil::WriteBytes(dir.File("in"), "x =A y ,\n\n=" + name + " z");
    RecordingReader reader;
    kqNetList list;
    EXPECT_TRUE(reader.Read(dir.File("in"), list));
    EXPECT_EQ(testutil::Describe(list), (NetSpecs{{"A", {"y", ","}}, {name, {"z"}}}));
    EXPECT_EQ(reader.calls, ">x x>=A =A>y y>, ,| ,| ,>=" + name + " =" + name + ">z z| ");
}

TEST(Reader, APathThatCannotBeReadGivesFalseAndNoNet)
{
    wxLogNull quiet;
    kqNetList list;
    // A folder opens but every read fails: the reader must stop at once.
    EXPECT_FALSE(RecordingReader().Read("/no/such/file", list));
    EXPECT_FALSE(RecordingReader().Read("/", list));
    EXPECT_TRUE(list.m_nets.empty());
}

TEST(Writer, ReplacesTheFileWithLfLinesAndUnchangedBytes)
{
    wxLogNull quiet;
    testutil::TempDir dir;
    testutil::WriteBytes(dir.File("out"), std::string(1000, 'z'));
    const std::string name("\xE4\xFF\0\r", 4);
    const kqNetList list = testutil::MakeList({{name, {"y", "x"}}, {"A", {}}});
    ASSERT_TRUE(PlainWriter().Write(dir.File("out"), list));
    EXPECT_EQ(testutil::ReadBytes(dir.File("out")), "\n" + name + " y x\nA\n");
    // A file that cannot be created: false, and no folder made on the way.
    EXPECT_FALSE(PlainWriter().Write(dir.File("no/such/out"), list));
    EXPECT_FALSE(testutil::Exists(dir.File("no")));
}
