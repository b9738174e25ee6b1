// Filling a format choice needs a real window.
#include "netlist/mode.h"

#include <gtest/gtest.h>
#include <wx/choice.h>
#include <wx/frame.h>

namespace
{
class FormatChoice : public testing::Test
{
protected:
    FormatChoice()
        : m_frame(new wxFrame(nullptr, wxID_ANY, "formats")),
          m_choice(new wxChoice(m_frame, wxID_ANY))
    {
    }
    ~FormatChoice() override { m_frame->Destroy(); }

    wxFrame* m_frame;
    wxChoice* m_choice;
};
}

TEST_F(FormatChoice, FillsTheDisplayNamesInTableOrderAndSelectsTheFirst)
{
    kqNetMode::InitChoice(*m_choice);
    const wxArrayString items = m_choice->GetStrings();
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0], "BSch/Allegro");
    EXPECT_EQ(items[1], "PADS");
    EXPECT_EQ(items[2], "ZukenECF");
    EXPECT_EQ(m_choice->GetSelection(), 0);
}

TEST_F(FormatChoice, AppendsAfterItemsAlreadyThere)
{
    m_choice->Append("other");
    m_choice->SetSelection(wxNOT_FOUND);
    kqNetMode::InitChoice(*m_choice);
    ASSERT_EQ(m_choice->GetCount(), 4u);
    EXPECT_EQ(m_choice->GetString(1), "BSch/Allegro");
    EXPECT_EQ(m_choice->GetSelection(), 0);
}
