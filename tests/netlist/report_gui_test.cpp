// The report in a real text control: its characters, the colour of every
// character, and how names and nodes that are not 7-bit are shown.
#include "comparison.h"

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/textctrl.h>

using testutil::CompareAsFiles;

namespace
{
// A net appended the plain way, each node under its own default style.
void AppendNet(wxTextCtrl& text, const kqNetList::Net* net)
{
    if (net == nullptr)
        return;
    text.AppendText("[" + net->m_name + "]");
    for (const kqNetList::Net::Node& node : net->m_nodes)
    {
        text.AppendText(" ");
        text.SetDefaultStyle(wxTextAttr(node.m_matched ? *wxBLUE : *wxRED));
        text.AppendText(node.m_matched ? "(" + node.m_text + ")" : "<" + node.m_text + ">");
        text.SetDefaultStyle(wxTextAttr(*wxBLACK));
    }
}

class ReportField : public testing::Test
{
protected:
    ReportField() { m_frame->Show(); }
    ~ReportField() override { delete m_frame; }
    wxTextCtrl* NewField()
    {
        return new wxTextCtrl(m_frame, wxID_ANY, wxString(), wxDefaultPosition, wxSize(600, 400),
                              wxTE_MULTILINE | wxTE_READONLY | wxTE_RICH2);
    }
    wxFrame* m_frame = new wxFrame(nullptr, wxID_ANY, "report");
};
}

TEST_F(ReportField, TextAndEveryColourAsWhenAppendedPieceByPiece)
{
    const char* headings[] = {"", "[[Same]]\n", "\n[[Like]]\n", "\n<<File 1 only>>\n", "\n<<File 2 only>>\n"};
    std::mt19937 random(5);
    for (int round = 0; round < 4; ++round)
    {
        kqNetDifferencer differencer;
        if (round == 0)
            CompareAsFiles(differencer, testutil::WORKED_FILE1, testutil::WORKED_FILE2);
        else
            CompareAsFiles(differencer, testutil::RandomNets(random, 60, 40, 12),
                           testutil::RandomNets(random, 60, 40, 12));
        wxTextCtrl *mine = NewField(), *plain = NewField();
        for (wxTextCtrl* text : {mine, plain})
            text->SetDefaultStyle(wxTextAttr(*wxGREEN, *wxLIGHT_GREY));
        differencer.GetText(*mine);
        for (int status = 1; status <= 4; ++status)
        {
            plain->AppendText(headings[status]);
            for (const kqNetDifferencer::Diff& diff : differencer.m_diffs)
                if (diff.m_status == status)
                {
                    AppendNet(*plain, diff.m_net1);
                    plain->AppendText(status == 1 ? " == " : status == 2 ? " != " : "");
                    AppendNet(*plain, diff.m_net2);
                    plain->AppendText("\n");
                }
        }
        EXPECT_EQ(mine->GetValue(), round == 0 ? wxString(testutil::WORKED_REPORT) : differencer.GetText());
        ASSERT_EQ(mine->GetValue(), plain->GetValue());
        for (long i = 0; i < mine->GetLastPosition(); ++i)
        {
            wxTextAttr ours, theirs;
            ASSERT_TRUE(mine->GetStyle(i, ours) && plain->GetStyle(i, theirs));
            ASSERT_EQ(ours.GetTextColour(), theirs.GetTextColour()) << "at " << i;
            ASSERT_EQ(ours.GetBackgroundColour(), theirs.GetBackgroundColour()) << "at " << i;
        }
        EXPECT_EQ(mine->GetDefaultStyle().GetTextColour(), plain->GetDefaultStyle().GetTextColour());
        EXPECT_EQ(mine->GetDefaultStyle().GetBackgroundColour(), *wxLIGHT_GREY);
    }
}

TEST_F(ReportField, ValidUtf8IsShownDecodedAnythingElseByteByByte)
{
    // Latin-1 "µV" and "Ré" are not UTF-8; "Ω" and "é" are, an overlong form
    // is not. A NUL, which the control cannot hold, shows as U+FFFD.
    kqNetDifferencer differencer;
    CompareAsFiles(differencer, {{"\xB5V", {"R\xE9", "\xC3\xA9"}}},
                   {{"\xCE\xA9", {"R\xE9", "\xC3\xA9"}}, {"O", {"\xC0\x80", std::string("x\0y", 3)}}});
    wxTextCtrl* text = NewField();
    differencer.GetText(*text);
    EXPECT_EQ(text->GetValue(),
              wxString(L"[[Same]]\n[\u00B5V] (R\u00E9) (\u00E9) == [\u03A9] (R\u00E9) (\u00E9)\n"
                       L"\n[[Like]]\n\n<<File 1 only>>\n\n<<File 2 only>>\n[O] <x\uFFFDy> <\u00C0\u0080>\n"));
}
