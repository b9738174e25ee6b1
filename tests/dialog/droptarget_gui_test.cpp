// Files dropped onto the main dialog: the file rows' bands take them, left
// and top edges included, right and bottom edges excluded.
#include "dialogutil.h"

#include <wx/dnd.h>
#include <wx/sizer.h>

#include <gtest/gtest.h>

using namespace dialogtest;

namespace
{
class DropOnDialog : public testing::Test
{
protected:
    void SetUp() override
    {
        RemoveSettings();
        m_dialog.Show();
        m_dialog.Layout();
    }
    void TearDown() override { m_dialog.Hide(); }

    wxFileDropTarget& Target() { return *static_cast<wxFileDropTarget*>(m_dialog.GetDropTarget()); }
    wxTextCtrl& Name1() { return Field(m_dialog, WirelaceDlg::ID_FILE1_NAME); }
    wxTextCtrl& Name2() { return Field(m_dialog, WirelaceDlg::ID_FILE2_NAME); }
    // A row's band, as its sizer lays it out.
    wxRect Row(wxTextCtrl& name)
    {
        wxSizer* row = name.GetContainingSizer();
        return wxRect(row->GetPosition(), row->GetSize());
    }
    bool Drop(const wxPoint& at, const wxArrayString& files)
    {
        return Target().OnDropFiles(at.x, at.y, files);
    }
    bool Drop(const wxPoint& at, const char* file) { return Drop(at, wxArrayString(1, &file)); }
    bool Accepts(const wxPoint& at) { return Target().OnDragOver(at.x, at.y, wxDragMove) == wxDragCopy; }

    WirelaceDlg m_dialog;
};

wxPoint Centre(const wxRect& rect)
{
    return rect.GetPosition() + rect.GetSize() / 2;
}
}

TEST_F(DropOnDialog, RowsSpanTheDialogsWidth)
{
    const wxRect row1 = Row(Name1());
    EXPECT_EQ(row1.x, 0);
    EXPECT_EQ(row1.width, m_dialog.GetClientSize().x);
    EXPECT_LT(row1.GetBottom(), Row(Name2()).y);
}

TEST_F(DropOnDialog, AFileDroppedInARowGoesIntoThatRowsNameField)
{
    Name1().SetValue("old text");
    Choice(m_dialog, WirelaceDlg::ID_FILE1_MODE).SetSelection(1);
    EXPECT_TRUE(Drop(Centre(Row(Name1())), "/tmp/first.net"));
    EXPECT_EQ(Name1().GetValue(), "/tmp/first.net");
    EXPECT_EQ(Name2().GetValue(), "");
    EXPECT_EQ(Choice(m_dialog, WirelaceDlg::ID_FILE1_MODE).GetSelection(), 1);

    EXPECT_TRUE(Drop(Centre(Row(Name2())), "second.net"));
    EXPECT_EQ(Name2().GetValue(), "second.net");
    EXPECT_EQ(Name1().GetValue(), "/tmp/first.net");
}

TEST_F(DropOnDialog, EdgesLeftAndTopAreInsideRightAndBottomOutside)
{
    for (wxTextCtrl* name : {&Name1(), &Name2()})
    {
        const wxRect row = Row(*name);
        const int midY = row.y + row.height / 2;
        const int midX = row.x + row.width / 2;
        EXPECT_TRUE(Accepts({row.x, midY}));
        EXPECT_TRUE(Accepts({midX, row.y}));
        EXPECT_TRUE(Accepts({row.x + row.width - 1, row.y + row.height - 1}));
        EXPECT_FALSE(Accepts({row.x + row.width, midY}));
        EXPECT_FALSE(Accepts({midX, row.y + row.height}));
        EXPECT_FALSE(Accepts({midX, row.y - 1}));
    }
}

TEST_F(DropOnDialog, GapsBetweenARowsControlsBelongToTheRow)
{
    wxWindow& choice = Choice(m_dialog, WirelaceDlg::ID_FILE2_MODE);
    const wxPoint gap(choice.GetPosition().x - 2, choice.GetPosition().y + 2);
    EXPECT_TRUE(Drop(gap, "gap.net"));
    EXPECT_EQ(Name2().GetValue(), "gap.net");
}

TEST_F(DropOnDialog, EverythingOutsideTheRowsRefusesADrop)
{
    Name1().SetValue("one");
    Name2().SetValue("two");
    for (wxWindow* child : m_dialog.GetChildren())
    {
        const wxSizer* sizer = child->GetContainingSizer();
        if (sizer == Name1().GetContainingSizer() || sizer == Name2().GetContainingSizer())
            continue;
        const wxPoint at = Centre(child->GetRect());
        EXPECT_FALSE(Accepts(at)) << child->GetLabel();
        EXPECT_FALSE(Drop(at, "dropped.net")) << child->GetLabel();
    }
    EXPECT_EQ(Name1().GetValue(), "one");
    EXPECT_EQ(Name2().GetValue(), "two");
}

TEST_F(DropOnDialog, OnlyTheFirstOfSeveralFilesIsTaken)
{
    wxArrayString files;
    files.Add("/a/first.net");
    files.Add("/a/second.net");
    files.Add("/a/third.net");
    Name1().SetValue("kept");
    EXPECT_TRUE(Drop(Centre(Row(Name2())), files));
    EXPECT_EQ(Name2().GetValue(), "/a/first.net");
    EXPECT_EQ(Name1().GetValue(), "kept");
}

TEST_F(DropOnDialog, AnEmptyListTakesNothing)
{
    Name1().SetValue("kept");
    EXPECT_FALSE(Drop(Centre(Row(Name1())), wxArrayString()));
    EXPECT_EQ(Name1().GetValue(), "kept");
}

TEST_F(DropOnDialog, RowsFollowAResize)
{
    const wxRect before = Row(Name1());
    const wxRect row2Before = Row(Name2());
    m_dialog.SetSize(m_dialog.GetSize() + wxSize(300, 200));
    m_dialog.Layout();
    const wxRect after = Row(Name1());
    ASSERT_EQ(after.width, before.width + 300);
    // Once outside the right edge, now well inside the widened row.
    const wxPoint formerlyOutside(before.GetRight() + 100, after.y + 1);
    EXPECT_TRUE(Drop(formerlyOutside, "wide.net"));
    EXPECT_EQ(Name1().GetValue(), "wide.net");
    EXPECT_EQ(Row(Name2()).y, row2Before.y);
    EXPECT_EQ(Row(Name2()).width, row2Before.width + 300);
}
