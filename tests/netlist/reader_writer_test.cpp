#include "netlist/bytes.h"
#include "netlist/reader.h"
#include "netlist/writer.h"
#include "testutil.h"

#include <gtest/gtest.h>
#include <wx/log.h>

using testutil::NetSpecs;

namespace
{
// Records every hook call, and builds nets from a tiny grammar: a token
// "=name" opens a net, any other token is a node.
class RecordingReader : public kqNetListReader
{
public:
    std::vector<std::string> calls;

    void Init() override { calls.push_back("Init"); }
    void OnToken(const wxString& token) override
    {
        calls.push_back("Token " + kqStringToBytes(token) + " after " +
                        kqStringToBytes(m_lastToken));
        if (token.StartsWith("="))
            BeginOfNet(token.Mid(1));
        else
            OnNode(token);
    }
    void OnTermLine() override { calls.push_back("Term after " + kqStringToBytes(m_lastToken)); }
};

// Writes every hook call as one line.
class RecordingWriter : public kqNetListWriter
{
public:
    void BeginOfList() override { *m_out << "List" << endl; }
    void BeginOfNet(const wxString& name) override { *m_out << "Net " << name << endl; }
    void OnNode(const wxString& node) override { *m_out << "Node " << node << endl; }
    void EndOfNet() override { *m_out << "End\n"; }
    void EndOfList() override { *m_out << "EndList" << endl; }
};

struct Read
{
    bool result;
    NetSpecs nets;
    std::vector<std::string> calls;
};

Read ReadBytesWith(const std::string& bytes, kqNetList list = kqNetList())
{
    testutil::TempDir dir;
    testutil::WriteBytes(dir.File("in"), bytes);
    RecordingReader reader;
    const bool result = reader.Read(dir.File("in"), list);
    return {result, testutil::Describe(list), reader.calls};
}
}

TEST(Reader, EveryLineIsParsedAndTheLastNetClosedAtTheEnd)
{
    const Read read = ReadBytesWith("=A x\n=B y z");
    EXPECT_TRUE(read.result);
    EXPECT_EQ(read.nets, (NetSpecs{{"A", {"x"}}, {"B", {"y", "z"}}}));
}

TEST(Reader, NodesWithoutAnOpenNetAreDropped)
{
    EXPECT_EQ(ReadBytesWith("x =A y").nets, (NetSpecs{{"A", {"y"}}}));
}

TEST(Reader, TheLastTokenCrossesEmptyLines)
{
    const Read read = ReadBytesWith("a ,\n\nb");
    EXPECT_EQ(read.calls, (std::vector<std::string>{"Init", "Token a after ", "Token , after a",
                                                    "Term after ,", "Term after ,",
                                                    "Token b after ,", "Term after b"}));
}

TEST(Reader, AnEmptyFileIsOneEmptyLine)
{
    const Read read = ReadBytesWith("");
    EXPECT_EQ(read.calls, (std::vector<std::string>{"Init", "Term after "}));
    EXPECT_TRUE(read.nets.empty());
}

TEST(Reader, NetsAreAppendedAfterThoseTheListHolds)
{
    const Read read = ReadBytesWith("=B y", testutil::MakeList({{"A", {"x"}}}));
    EXPECT_EQ(read.nets, (NetSpecs{{"A", {"x"}}, {"B", {"y"}}}));
}

TEST(Reader, BytesReachTheHooksUnchanged)
{
    const std::string name("\xE4\x80\xFF\0n", 5);
    EXPECT_EQ(ReadBytesWith("=" + name + " \xC3\xA4").nets, (NetSpecs{{name, {"\xC3\xA4"}}}));
}

TEST(Reader, AFileThatCannotBeReadGivesFalseAndNoNet)
{
    wxLogNull quiet;
    testutil::TempDir dir;
    kqNetList list = testutil::MakeList({{"A", {"x"}}});
    RecordingReader missing;
    EXPECT_FALSE(missing.Read(dir.File("missing"), list));
    // A folder opens but every read fails: the reader must stop at once.
    RecordingReader folder;
    EXPECT_FALSE(folder.Read(dir.Path(), list));
    EXPECT_EQ(testutil::Describe(list), (NetSpecs{{"A", {"x"}}}));
}

TEST(Writer, HooksRunInListOrderAndLinesEndInLf)
{
    testutil::TempDir dir;
    RecordingWriter writer;
    const kqNetList list = testutil::MakeList({{"B", {"y", "x"}}, {"A", {}}});
    ASSERT_TRUE(writer.Write(dir.File("out"), list));
    EXPECT_EQ(testutil::ReadBytes(dir.File("out")),
              "List\nNet B\nNode y\nNode x\nEnd\nNet A\nEnd\nEndList\n");
}

TEST(Writer, ReplacesTheWholeFileAndKeepsBytes)
{
    testutil::TempDir dir;
    testutil::WriteBytes(dir.File("out"), std::string(1000, 'z'));
    RecordingWriter writer;
    const std::string name("\xE4\xFF\0\r", 4);
    ASSERT_TRUE(writer.Write(dir.File("out"), testutil::MakeList({{name, {}}})));
    EXPECT_EQ(testutil::ReadBytes(dir.File("out")), "List\nNet " + name + "\nEnd\nEndList\n");
}

TEST(Writer, AFileThatCannotBeCreatedGivesFalseAndRunsNoHook)
{
    wxLogNull quiet;
    testutil::TempDir dir;
    RecordingWriter writer;
    EXPECT_FALSE(writer.Write(dir.File("no/such/folder/out"), testutil::MakeList({{"A", {}}})));
    EXPECT_FALSE(testutil::Exists(dir.File("no")));
}
