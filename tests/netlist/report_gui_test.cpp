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

// The report appended the plain way, piece by piece.
static void AppendReport(wxTextCtrl& text, const kqNetDifferencer& differencer)
{
    const char* headings[] = {"[[Same]]\n", "\n[[Like]]\n", "\n<<File 1 only>>\n",
                              "\n<<File 2 only>>\n"};
    for (int status = 1; status <= 4; ++status)
    {
        text.AppendText(headings[status - 1]);
        for (const kqNetDifferencer::Diff& diff : differencer.m_diffs)
            if (diff.m_status == status)
            {
                AppendNet(text, diff.m_net1);
                text.AppendText(status == 1 ? " == " : status == 2 ? " != " : "");
                AppendNet(text, diff.m_net2);
                text.AppendText("\n");
            }
    }
}

static wxTextCtrl* NewField(wxWindow* parent)
{
    return new wxTextCtrl(parent, wxID_ANY, wxString(), wxDefaultPosition, wxSize(600, 400),
                          wxTE_MULTILINE | wxTE_READONLY | wxTE_RICH2);
}

static wxTextAttr StyleAt(wxTextCtrl& text, long position)
{
    wxTextAttr style;
    EXPECT_TRUE(text.GetStyle(position, style)) << "at " << position;
    return style;
}

// The report of `differencer` shows as when appended piece by piece, from a
// default style of its own, character by character; only a space between
// two nodes of the same colour may take their colour, as it shows none.
static void ExpectShownAsPieceByPiece(const kqNetDifferencer& differencer)
{
    std::unique_ptr<wxFrame> frame(new wxFrame(nullptr, wxID_ANY, "report"));
    wxTextCtrl *mine = NewField(frame.get()), *plain = NewField(frame.get());
    for (wxTextCtrl* text : {mine, plain})
        text->SetDefaultStyle(wxTextAttr(*wxGREEN, *wxLIGHT_GREY));
    differencer.GetText(*mine);
    AppendReport(*plain, differencer);
    const wxString shown = plain->GetValue();
    ASSERT_EQ(mine->GetValue(), shown);
    for (long i = 0; i < mine->GetLastPosition(); ++i)
    {
        const wxTextAttr ours = StyleAt(*mine, i), theirs = StyleAt(*plain, i);
        EXPECT_EQ(ours.GetBackgroundColour(), theirs.GetBackgroundColour()) << "at " << i;
        if (ours.GetTextColour() == theirs.GetTextColour())
            continue;
        // Only a space whose neighbours are nodes of the colour it took.
        const wxColour node = i > 0 ? StyleAt(*plain, i - 1).GetTextColour() : wxColour();
        const bool nodeColour = node == *wxBLUE || node == *wxRED;
        const bool nextSame = StyleAt(*plain, i + 1).GetTextColour() == node;
        EXPECT_TRUE(shown[i] == ' ' && nodeColour && nextSame && ours.GetTextColour() == node)
            << "at " << i << " in\n" << shown;
    }
    const wxTextAttr after = mine->GetDefaultStyle();
    EXPECT_EQ(after.GetTextColour(), plain->GetDefaultStyle().GetTextColour());
    EXPECT_EQ(after.GetBackgroundColour(), *wxLIGHT_GREY);
}

TEST(ReportField, ShowsTheTextAndColoursOfAPieceByPieceFill)
{
    kqNetDifferencer differencer;
    CompareAsFiles(differencer, testutil::WORKED_FILE1, testutil::WORKED_FILE2);
    ExpectShownAsPieceByPiece(differencer);
    // Runs of either colour, nets without nodes, reports without any node.
    std::mt19937 random(7);
    for (int round = 0; round < 20 && !HasFailure(); ++round)
    {
        CompareAsFiles(differencer, testutil::RandomNets(random), testutil::RandomNets(random));
        ExpectShownAsPieceByPiece(differencer);
    }
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
