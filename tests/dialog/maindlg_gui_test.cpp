// The main dialog's controls and layout, and the settings it restores at
// construction and stores on OK.
#include "dialogutil.h"

#include "testutil.h"

#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace dialogtest;

namespace
{
class MainDialog : public testing::Test
{
protected:
    void SetUp() override { RemoveSettings(); }
    void TearDown() override { RemoveSettings(); }
};

struct ControlSpec
{
    std::string className;
    int id; // 0: a label or box with a generated id
    std::string label;
};

std::vector<ControlSpec> Describe(wxWindow& dialog)
{
    std::vector<ControlSpec> controls;
    for (wxWindow* child : dialog.GetChildren())
    {
        const int id = child->GetId() < 0 ? 0 : child->GetId();
        const bool hasLabel = dynamic_cast<wxButton*>(child) || dynamic_cast<wxStaticText*>(child);
        controls.push_back({wxString(child->GetClassInfo()->GetClassName()).ToStdString(), id,
                            hasLabel ? child->GetLabel().ToStdString() : ""});
    }
    return controls;
}

void PrintTo(const ControlSpec& control, std::ostream* os)
{
    *os << control.className << " " << control.id << " \"" << control.label << "\"";
}

bool operator==(const ControlSpec& a, const ControlSpec& b)
{
    return a.className == b.className && a.id == b.id && a.label == b.label;
}

std::string Settings(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}
}

TEST_F(MainDialog, HoldsItsControlsInCreationOrder)
{
    WirelaceDlg dialog;
    const std::vector<ControlSpec> expected = {
        {"wxStaticText", 0, "File 1"},  {"wxTextCtrl", 6000, ""},
        {"wxChoice", 6001, ""},         {"wxButton", 6002, "Select"},
        {"wxButton", 6003, "Convert"},  {"wxStaticText", 0, "File 2"},
        {"wxTextCtrl", 6005, ""},       {"wxChoice", 6004, ""},
        {"wxButton", 6006, "Select"},   {"wxButton", 6007, "Convert"},
        {"wxStaticBox", 0, ""},         {"wxButton", 6008, "Execute"},
        {"wxButton", 6009, "File save"}, {"wxStaticText", 0, "Difference"},
        {"wxTextCtrl", 6010, ""},       {"wxStaticText", 0, "v0.20 (2005/11/25)"},
        {"wxButton", wxID_OK, "OK"},    {"wxButton", wxID_CANCEL, "Cancel"},
    };
    EXPECT_EQ(Describe(dialog), expected);
    EXPECT_EQ(dialog.GetTitle(), "Wirelace");
    EXPECT_TRUE(dialog.HasFlag(wxRESIZE_BORDER | wxMAXIMIZE_BOX | wxMINIMIZE_BOX));
}

TEST_F(MainDialog, NameFieldsAreEditableAndTheReportFieldIsReadOnly)
{
    WirelaceDlg dialog;
    EXPECT_TRUE(Field(dialog, 6000).IsEditable());
    EXPECT_FALSE(Field(dialog, 6000).IsMultiLine());
    EXPECT_TRUE(Field(dialog, 6005).IsEditable());
    EXPECT_FALSE(Field(dialog, 6010).IsEditable());
    EXPECT_TRUE(Field(dialog, 6010).IsMultiLine());
    EXPECT_TRUE(Field(dialog, 6010).HasFlag(wxTE_RICH));
}

TEST_F(MainDialog, FirstRunShowsEmptyNamesAndTheFirstFormat)
{
    WirelaceDlg dialog;
    for (int id : {6001, 6004})
    {
        wxChoice& choice = Choice(dialog, id);
        ASSERT_EQ(choice.GetCount(), 3u);
        EXPECT_EQ(choice.GetString(0), "BSch/Allegro");
        EXPECT_EQ(choice.GetString(1), "PADS");
        EXPECT_EQ(choice.GetString(2), "ZukenECF");
        EXPECT_EQ(choice.GetSelection(), 0);
    }
    for (int id : {6000, 6005, 6010})
        EXPECT_EQ(Field(dialog, id).GetValue(), "");
    // Fitted to the layout, which is also the least the user can shrink it to.
    EXPECT_EQ(dialog.GetSize(), dialog.GetMinSize());
    EXPECT_GE(dialog.GetSizer()->GetMinSize().x, 500);
    EXPECT_GE(dialog.GetSizer()->GetMinSize().y, 300);
}

TEST_F(MainDialog, OnlyTheReportFieldGrowsInHeight)
{
    WirelaceDlg dialog;
    dialog.Show();
    dialog.Layout();
    std::vector<wxRect> before;
    for (wxWindow* child : dialog.GetChildren())
        before.push_back(child->GetRect());

    const wxSize grow(200, 150);
    dialog.SetSize(dialog.GetSize() + grow);
    dialog.Layout();
    wxWindow& report = Field(dialog, 6010);
    wxWindow& ok = Control<wxButton>(dialog, wxID_OK);
    size_t i = 0;
    for (wxWindow* child : dialog.GetChildren())
    {
        const wxRect& old = before[i++];
        const int grown = child == &report ? grow.y : 0;
        EXPECT_EQ(child->GetSize().y, old.height + grown) << child->GetLabel();
        // Everything under the report field moves down with the growth.
        const int moved = child->GetPosition().y > report.GetPosition().y ? grow.y : 0;
        EXPECT_EQ(child->GetPosition().y, old.y + moved) << child->GetLabel();
    }
    // The extra width goes to the name fields, Execute and the bottom row's
    // free space; OK and Cancel keep their size and stay at the right.
    EXPECT_EQ(Field(dialog, 6000).GetSize().x, before[1].width + grow.x);
    // Execute takes one part of the group's free width, the gap before it
    // three; the version label half of the bottom row's.
    EXPECT_NEAR(Control<wxButton>(dialog, 6008).GetSize().x, before[11].width + grow.x / 4, 1);
    EXPECT_NEAR(dialog.GetChildren()[15]->GetSize().x, before[15].width + grow.x / 2, 1);
    EXPECT_EQ(ok.GetSize().x, before[16].width);
    EXPECT_EQ(ok.GetPosition().x, before[16].x + grow.x);
    dialog.Hide();
}

TEST_F(MainDialog, CannotShrinkBelowItsFittedSize)
{
    WirelaceDlg dialog;
    const wxSize fitted = dialog.GetSize();
    dialog.SetSize(100, 100);
    EXPECT_GE(dialog.GetSize().x, fitted.x);
    EXPECT_GE(dialog.GetSize().y, fitted.y);
}

TEST_F(MainDialog, OkStoresWhatIsOnScreenAndTheNextRunRestoresIt)
{
    wxRect atOk;
    RunAndAccept([&](WirelaceDlg& dialog) {
        Field(dialog, 6000).SetValue("/tmp/one.net");
        Field(dialog, 6005).SetValue("two net.txt");
        Choice(dialog, 6001).SetSelection(2);
        Choice(dialog, 6004).SetSelection(1);
        dialog.SetSize(dialog.GetSize() + wxSize(40, 30));
        atOk = dialog.GetRect();
    });
    EXPECT_EQ(testutil::ReadBytes(SettingsPath()),
              Settings({"WindowX=" + std::to_string(atOk.x), "WindowY=" + std::to_string(atOk.y),
                        "WindowWidth=" + std::to_string(atOk.width),
                        "WindowHeight=" + std::to_string(atOk.height), "File1Name=/tmp/one.net",
                        "File1Mode=ZukenECF", "File2Name=two net.txt", "File2Mode=PADS",
                        "OutFileName=difference"}));

    WirelaceDlg next;
    EXPECT_EQ(next.GetRect(), atOk);
    EXPECT_EQ(Field(next, 6000).GetValue(), "/tmp/one.net");
    EXPECT_EQ(Field(next, 6005).GetValue(), "two net.txt");
    EXPECT_EQ(Choice(next, 6001).GetSelection(), 2);
    EXPECT_EQ(Choice(next, 6004).GetSelection(), 1);
}

TEST_F(MainDialog, FirstRunEndedWithOkStoresEmptyNamesAndTheFirstFormat)
{
    RunAndAccept([](WirelaceDlg&) {});
    const std::string text = testutil::ReadBytes(SettingsPath());
    for (const char* line : {"\nFile1Name=\n", "\nFile1Mode=BSch/Allegro\n", "\nFile2Name=\n",
                             "\nFile2Mode=BSch/Allegro\n", "\nOutFileName=difference\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line;
}

TEST_F(MainDialog, RestoresAStoredRectangleExactly)
{
    testutil::WriteBytes(SettingsPath(), Settings({"WindowX=31", "WindowY=42", "WindowWidth=777",
                                                   "WindowHeight=555"}));
    WirelaceDlg dialog;
    EXPECT_EQ(dialog.GetRect(), wxRect(31, 42, 777, 555));
}

TEST_F(MainDialog, CancelEscapeAndCloseLeaveTheSettingsFileAlone)
{
    const std::string stored =
        Settings({"WindowX=10", "File1Name=kept.net", "File1Mode=PADS", "Unrelated=1"});
    const std::vector<std::function<void(WirelaceDlg&)>> endings = {
        [](WirelaceDlg& dialog) { Click(dialog, wxID_CANCEL); },
        [](WirelaceDlg& dialog) {
            wxKeyEvent escape(wxEVT_CHAR_HOOK);
            escape.m_keyCode = WXK_ESCAPE;
            dialog.HandleWindowEvent(escape);
        },
        [](WirelaceDlg& dialog) { dialog.Close(); },
    };
    for (const auto& end : endings)
    {
        testutil::WriteBytes(SettingsPath(), stored);
        {
            WirelaceDlg dialog;
            const int result = RunModal(dialog, [&] {
                Field(dialog, 6000).SetValue("changed.net");
                Choice(dialog, 6001).SetSelection(2);
                dialog.Move(dialog.GetPosition() + wxPoint(25, 25));
                end(dialog);
            });
            EXPECT_EQ(result, wxID_CANCEL);
        }
        EXPECT_EQ(testutil::ReadBytes(SettingsPath()), stored);
    }
}

TEST_F(MainDialog, ClosingWithoutOkCreatesNoSettingsFile)
{
    {
        WirelaceDlg dialog;
        RunModal(dialog, [&] { Click(dialog, wxID_CANCEL); });
    }
    EXPECT_FALSE(testutil::Exists(SettingsPath()));
}

TEST_F(MainDialog, FormatNamesMustMatchExactly)
{
    const std::vector<std::pair<std::string, int>> stored = {
        {"PADS", 1}, {"pads", 0}, {"Pads", 0}, {"Gerber", 0}, {"", 0}};
    for (const auto& [name, selection] : stored)
    {
        testutil::WriteBytes(SettingsPath(), Settings({"File1Mode=ZukenECF", "File2Mode=" + name}));
        WirelaceDlg dialog;
        EXPECT_EQ(Choice(dialog, 6001).GetSelection(), 2);
        EXPECT_EQ(Choice(dialog, 6004).GetSelection(), selection) << name;
    }
}

TEST_F(MainDialog, WindowValuesThatAreNoIntegersCountAsMissing)
{
    wxRect fitted;
    {
        WirelaceDlg dialog;
        fitted = dialog.GetRect();
    }
    testutil::WriteBytes(SettingsPath(),
                         Settings({"WindowX=12abc", "WindowY=", "WindowWidth=wide",
                                   "WindowHeight=99999999999999999999", "File1Name=x.net"}));
    WirelaceDlg dialog;
    EXPECT_EQ(dialog.GetRect(), fitted);
    EXPECT_EQ(Field(dialog, 6000).GetValue(), "x.net");
}

TEST_F(MainDialog, WindowValuesBeyondTheRangeOfACoordinateCountAsMissing)
{
    wxRect fitted;
    {
        WirelaceDlg dialog;
        fitted = dialog.GetRect();
    }
    testutil::WriteBytes(SettingsPath(),
                         Settings({"WindowWidth=4294967896", "WindowHeight=-4294966896"}));
    WirelaceDlg dialog;
    EXPECT_EQ(dialog.GetSize(), fitted.GetSize());
}

TEST_F(MainDialog, MissingKeysKeepWhatTheDialogHas)
{
    wxRect fitted;
    {
        WirelaceDlg dialog;
        fitted = dialog.GetRect();
    }
    testutil::WriteBytes(SettingsPath(), Settings({"WindowWidth=640", "File2Name=only2.net"}));
    WirelaceDlg dialog;
    EXPECT_EQ(dialog.GetRect(), wxRect(fitted.x, fitted.y, 640, fitted.height));
    EXPECT_EQ(Field(dialog, 6000).GetValue(), "");
    EXPECT_EQ(Field(dialog, 6005).GetValue(), "only2.net");
    EXPECT_EQ(Choice(dialog, 6001).GetSelection(), 0);
}
