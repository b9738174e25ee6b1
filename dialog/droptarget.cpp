#include "dialog/droptarget.h"

#include "dialog/maindlg.h"

#include <wx/sizer.h>

namespace
{
// Where the layout last put the row, in the dialog's client coordinates;
// read afresh each time so that it follows a resize.
bool RowContains(const wxSizer& row, wxCoord x, wxCoord y)
{
    return wxRect(row.GetPosition(), row.GetSize()).Contains(x, y);
}
}

DropTarget::DropTarget(WirelaceDlg& dialog) : m_dialog(dialog) {}

wxDragResult DropTarget::OnDragOver(wxCoord x, wxCoord y, wxDragResult)
{
    return FindNameField(x, y) ? wxDragCopy : wxDragNone;
}

bool DropTarget::OnDropFiles(wxCoord x, wxCoord y, const wxArrayString& filenames)
{
    wxTextCtrl* field = FindNameField(x, y);
    if (!field || filenames.IsEmpty())
        return false;
    // Only the first file counts; it is not opened or checked.
    field->SetValue(filenames[0]);
    return true;
}

wxTextCtrl* DropTarget::FindNameField(wxCoord x, wxCoord y) const
{
    if (RowContains(*m_dialog.m_file1Sizer, x, y))
        return &m_dialog.m_file1Name;
    if (RowContains(*m_dialog.m_file2Sizer, x, y))
        return &m_dialog.m_file2Name;
    return nullptr;
}
