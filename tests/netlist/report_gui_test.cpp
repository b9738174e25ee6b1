// The report in a real text control: its characters, the colour of every
// character, and how names and nodes that are not 7-bit are shown.
#include "comparison.h"

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/textctrl.h>

#include <memory>

using testutil::CompareAsFiles;

// A net appended the plain way, each node under its own default style.
static void AppendNet(wxTextCtrl& text, const kqNetList::Net* net)
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

static wxTextCtrl* NewField(wxWindow* parent)
{
    return new wxTextCtrl(parent, wxID_ANY, wxString(), wxDefaultPosition, wxSize(600, 400),
                          wxTE_MULTILINE | wxTE_READONLY | wxTE_RICH2);
}

TEST(ReportField, WorkedExampleTextAndEveryColourAsWhenAppendedPieceByPiece)
{
    std::unique_ptr<wxFrame> frame(new wxFrame(nullptr, wxID_ANY, "report"));
    wxTextCtrl *mine = NewField(frame.get()), *plain = NewField(frame.get());
    for (wxTextCtrl* text : {mine, plain})
        text->SetDefaultStyle(wxTextAttr(*wxGREEN, *wxLIGHT_GREY));
    kqNetDifferencer differencer;
    CompareAsFiles(differencer, testutil::WORKED_FILE1, testutil::WORKED_FILE2);
    differencer.GetText(*mine);
    const char* headings[] = {"[[Same]]\n", "\n[[Like]]\n", "\n<<File 1 only>>\n",
                              "\n<<File 2 only>>\n"};
    for (int status = 1; status <= 4; ++status)
    {
        plain->AppendText(headings[status - 1]);
        for (const kqNetDifferencer::Diff& diff : differencer.m_diffs)
            if (diff.m_status == status)
            {
                AppendNet(*plain, diff.m_net1);
                plain->AppendText(status == 1 ? " == " : status == 2 ? " != " : "");
                AppendNet(*plain, diff.m_net2);
                plain->AppendText("\n");
            }
    }
    EXPECT_EQ(mine->GetValue(), testutil::WORKED_REPORT);
    ASSERT_EQ(mine->GetValue(), plain->GetValue());
    for (long i = 0; i < mine->GetLastPosition(); ++i)
    {
        wxTextAttr ours, theirs;
        ASSERT_TRUE(mine->GetStyle(i, ours) && plain->GetStyle(i, theirs));
        EXPECT_EQ(ours.GetTextColour(), theirs.GetTextColour()) << "at " << i;
        EXPECT_EQ(ours.GetBackgroundColour(), theirs.GetBackgroundColour()) << "at " << i;
    }
    EXPECT_EQ(mine->GetDefaultStyle().GetTextColour(), *wxBLACK);
    EXPECT_EQ(mine->GetDefaultStyle().GetBackgroundColour(), *wxLIGHT_GREY);
}

TEST(ReportField, ValidUtf8IsShownDecodedAnythingElseByteByByte)
{
    // Latin-1 "µV" and "Ré" are not UTF-8; "Ω" and "é" are, an overlong form
    // is not. A NUL, which the control cannot hold, shows as U+FFFD.
    kqNetDifferencer differencer;
    CompareAsFiles(differencer, {{"\xB5V", {"R\xE9", "\xC3\xA9"}}},
                   {{"\xCE\xA9", {"R\xE9", "\xC3\xA9"}},
                    {"O", {"\xC0\x80", std::string("x\0y", 3)}}});
    std::unique_ptr<wxFrame> frame(new wxFrame(nullptr, wxID_ANY, "report"));
    wxTextCtrl* text = NewField(frame.get());
    differencer.GetText(*text);
    EXPECT_EQ(text->GetValue(),
              wxString(L"[[Same]]\n[\u00B5V] (R\u00E9) (\u00E9) == [\u03A9] (R\u00E9) (\u00E9)\n"
                       L"\n[[Like]]\n\n<<File 1 only>>\n"
                       L"\n<<File 2 only>>\n[O] <x\uFFFDy> <\u00C0\u0080>\n"));
}
