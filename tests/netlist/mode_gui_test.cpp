// Filling a format choice needs a real window.
#include "netlist/mode.h"

#include <gtest/gtest.h>
#include <wx/choice.h>
#include <wx/frame.h>

TEST(FormatChoice, AppendsTheDisplayNamesInTableOrderAndSelectsTheFirstItem)
{
    wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "formats");
    wxChoice* choice = new wxChoice(frame, wxID_ANY);
    choice->Append("other");
    choice->SetSelection(wxNOT_FOUND);
    kqNetMode::InitChoice(*choice);
    EXPECT_EQ(wxJoin(choice->GetStrings(), '|'), "other|BSch/Allegro|PADS|ZukenECF");
    EXPECT_EQ(choice->GetSelection(), 0);
    frame->Destroy();
}
