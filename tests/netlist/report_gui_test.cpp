// The report in a real text control: its characters, the colour of every
// character, and how names and nodes that are not 7-bit are shown.
#include "comparison.h"

#include "netlist/differencer.h"
#include "testutil.h"

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/textctrl.h>

#include <random>
#include <string>
#include <vector>

using testutil::CompareAsFiles;
using testutil::NetSpecs;

namespace
{
// The colour every character must have: a node (a word that opens with "("
// or "<" right after a space) blue or red, everything else `plain`, except
// that the characters before the first node have `lead`.
std::vector<wxColour> ExpectedColours(const wxString& report, const wxColour& lead,
                                      const wxColour& plain = *wxBLACK)
{
    std::vector<wxColour> colours;
    bool seenNode = false;
    wxColour word = plain;
    for (size_t i = 0; i < report.length(); ++i)
    {
        const wxUniChar c = report[i];
        if (c == ' ' || c == '\n')
            word = plain;
        else if (i > 0 && report[i - 1] == ' ' && (c == '(' || c == '<'))
        {
            word = c == '(' ? *wxBLUE : *wxRED;
            seenNode = true;
        }
        colours.push_back(c == ' ' || c == '\n' ? (seenNode ? plain : lead)
                                                : (seenNode ? word : lead));
    }
    return colours;
}

// The report appended piece by piece, every node under its own default
// style: the plain way, which the control's contents must match exactly.
void AppendPieceByPiece(const kqNetDifferencer& differencer, wxTextCtrl& text)
{
    auto appendNet = [&text](const kqNetList::Net* net) {
        text.AppendText("[" + net->m_name + "]");
        for (const kqNetList::Net::Node& node : net->m_nodes)
        {
            text.AppendText(" ");
            text.SetDefaultStyle(wxTextAttr(node.m_matched ? *wxBLUE : *wxRED));
            text.AppendText((node.m_matched ? "(" : "<") + node.m_text +
                            (node.m_matched ? ")" : ">"));
            text.SetDefaultStyle(wxTextAttr(*wxBLACK));
        }
    };
    const char* headings[] = {"[[Same]]\n", "\n[[Like]]\n", "\n<<File 1 only>>\n",
                              "\n<<File 2 only>>\n"};
    const char* separators[] = {" == ", " != "};
    for (int status = 1; status <= 4; ++status)
    {
        text.AppendText(headings[status - 1]);
        for (const kqNetDifferencer::Diff& diff : differencer.m_diffs)
        {
            if (diff.m_status != status)
                continue;
            if (diff.m_net1)
                appendNet(diff.m_net1);
            if (status <= 2)
                text.AppendText(separators[status - 1]);
            if (diff.m_net2)
                appendNet(diff.m_net2);
            text.AppendText("\n");
        }
    }
}

// Nets over a few node texts, so that all four kinds of record, repeated
// nodes and nets without nodes turn up.
NetSpecs RandomNets(std::mt19937& random, int count)
{
    NetSpecs nets;
    for (int i = 0; i < count; ++i)
    {
        testutil::NetSpec net{"N" + std::to_string(random() % 40), {}};
        for (unsigned n = random() % 5; n > 0; --n)
            net.nodes.push_back(std::string(1, static_cast<char>('a' + random() % 12)));
        nets.push_back(net);
    }
    return nets;
}

class ReportField : public testing::Test
{
protected:
    void SetUp() override
    {
        m_frame = new wxFrame(nullptr, wxID_ANY, "report");
        m_text = NewField();
        m_frame->Show();
    }
    void TearDown() override { delete m_frame; }

    wxTextCtrl* NewField()
    {
        return new wxTextCtrl(m_frame, wxID_ANY, wxString(), wxDefaultPosition, wxSize(600, 400),
                              wxTE_MULTILINE | wxTE_READONLY | wxTE_RICH2);
    }

    static wxColour ColourAt(wxTextCtrl& text, long position)
    {
        wxTextAttr style;
        EXPECT_TRUE(text.GetStyle(position, style));
        return style.GetTextColour();
    }

    // Every character's colour, one line per differing character.
    static void ExpectColours(wxTextCtrl& text, const std::vector<wxColour>& expected)
    {
        const wxString value = text.GetValue();
        ASSERT_EQ(value.length(), expected.size());
        for (size_t i = 0; i < expected.size(); ++i)
            EXPECT_EQ(ColourAt(text, static_cast<long>(i)), expected[i])
                << "at " << i << " in \"" << value.Mid(i > 10 ? i - 10 : 0, 20) << "\"";
    }

    wxFrame* m_frame = nullptr;
    wxTextCtrl* m_text = nullptr;
};
}

TEST_F(ReportField, WorkedExampleTextAndColours)
{
    kqNetDifferencer differencer;
    CompareAsFiles(differencer, testutil::WORKED_FILE1, testutil::WORKED_FILE2);
    differencer.GetText(*m_text);

    EXPECT_EQ(m_text->GetValue(), testutil::WORKED_REPORT);
    EXPECT_EQ(m_text->GetValue(), differencer.GetText());
    ExpectColours(*m_text, ExpectedColours(m_text->GetValue(), *wxBLACK));

    const wxString value = m_text->GetValue();
    EXPECT_EQ(ColourAt(*m_text, value.Find("<C1.1>")), *wxRED);
    EXPECT_EQ(ColourAt(*m_text, value.Find("(U1.14)")), *wxBLUE);
    EXPECT_EQ(ColourAt(*m_text, value.Find(" != ") + 1), *wxBLACK);
    EXPECT_EQ(ColourAt(*m_text, value.Find("<<File 2")), *wxBLACK);
    EXPECT_EQ(m_text->GetDefaultStyle().GetTextColour(), *wxBLACK);
}

TEST_F(ReportField, TextBeforeTheFirstNodeKeepsTheControlsOwnStyle)
{
    m_text->AppendText("kept\n");
    m_text->SetDefaultStyle(wxTextAttr(*wxGREEN));
    kqNetDifferencer differencer;
    CompareAsFiles(differencer, testutil::WORKED_FILE1, testutil::WORKED_FILE2);
    differencer.GetText(*m_text);

    EXPECT_EQ(m_text->GetValue(), "kept\n" + wxString(testutil::WORKED_REPORT));
    std::vector<wxColour> expected = ExpectedColours(m_text->GetValue(), *wxGREEN);
    expected.erase(expected.begin(), expected.begin() + 5);
    expected.insert(expected.begin(), 5, *wxBLACK); // "kept\n" has no style of its own
    ExpectColours(*m_text, expected);
    EXPECT_EQ(ColourAt(*m_text, m_text->GetValue().Find("(U1.7)") - 1), *wxGREEN);
}

TEST_F(ReportField, WithoutRecordsOnlyHeadingsAndTheStyleIsLeftAlone)
{
    kqNetDifferencer differencer;
    EXPECT_FALSE(differencer.Execute("unused", 7, "unused", 7));
    differencer.GetText(*m_text);
    EXPECT_EQ(m_text->GetValue(), testutil::HEADINGS_ONLY);
    EXPECT_TRUE(m_text->GetDefaultStyle().IsDefault());
}

TEST_F(ReportField, SameTextAndColoursAsAppendingPieceByPiece)
{
    std::mt19937 random(5);
    for (int round = 0; round < 3; ++round)
    {
        kqNetDifferencer differencer;
        CompareAsFiles(differencer, RandomNets(random, 30), RandomNets(random, 30));
        wxTextCtrl* reference = NewField();
        for (wxTextCtrl* text : {m_text, reference})
        {
            text->Clear();
            text->SetDefaultStyle(wxTextAttr(*wxGREEN, *wxLIGHT_GREY));
        }
        differencer.GetText(*m_text);
        AppendPieceByPiece(differencer, *reference);

        ASSERT_EQ(m_text->GetValue(), reference->GetValue());
        for (long i = 0; i < m_text->GetLastPosition(); ++i)
        {
            wxTextAttr mine, theirs;
            ASSERT_TRUE(m_text->GetStyle(i, mine) && reference->GetStyle(i, theirs));
            ASSERT_EQ(mine.GetTextColour(), theirs.GetTextColour()) << "at " << i;
            ASSERT_EQ(mine.GetBackgroundColour(), theirs.GetBackgroundColour()) << "at " << i;
        }
        EXPECT_EQ(m_text->GetDefaultStyle().GetTextColour(),
                  reference->GetDefaultStyle().GetTextColour());
        EXPECT_EQ(m_text->GetDefaultStyle().GetBackgroundColour(), *wxLIGHT_GREY);
        reference->Destroy();
    }
}

TEST_F(ReportField, ValidUtf8IsShownDecodedAnythingElseByteByByte)
{
    kqNetDifferencer differencer;
    // Latin-1 "µV" and "Ré" are not UTF-8; "Ω" and "é" are.
    // An overlong form is not UTF-8 either. A NUL, which the control cannot
    // hold, is shown as the replacement character.
    CompareAsFiles(
        differencer, {{"\xB5V", {"R\xE9", "\xC3\xA9"}}},
        {{"\xCE\xA9", {"R\xE9", "\xC3\xA9"}}, {"O", {"\xC0\x80", std::string("x\0y", 3)}}});
    differencer.GetText(*m_text);

    const wxString value = m_text->GetValue();
    EXPECT_EQ(value,
              wxString(L"[[Same]]\n[\u00B5V] (R\u00E9) (\u00E9) == [\u03A9] (R\u00E9) (\u00E9)\n"
                       L"\n[[Like]]\n\n<<File 1 only>>\n"
                       L"\n<<File 2 only>>\n[O] <x\uFFFDy> <\u00C0\u0080>\n"));
    ExpectColours(*m_text, ExpectedColours(value, *wxBLACK));
}

TEST_F(ReportField, ANetAloneGoesInWithItsColours)
{
    kqNetList list = testutil::MakeList({{"N", {"a", "b"}}});
    list.m_nets.front().m_nodes.front().m_matched = 1;
    list.m_nets.front().GetText(*m_text);
    EXPECT_EQ(m_text->GetValue(), "[N] (a) <b>");
    ExpectColours(*m_text, ExpectedColours(m_text->GetValue(), *wxBLACK));
}
