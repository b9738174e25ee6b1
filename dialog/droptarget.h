// Takes a file dropped onto one of the main dialog's two file rows into that
// row's name field. Only the rows' own bands accept a drop; the labels
// above them and the rest of the dialog do not.
#ifndef WIRELACE_DIALOG_DROPTARGET_H
#define WIRELACE_DIALOG_DROPTARGET_H

#include <wx/dnd.h>

class WirelaceDlg;
class wxSizer;
class wxTextCtrl;

class DropTarget : public wxFileDropTarget
{
public:
    explicit DropTarget(WirelaceDlg& dialog);

    // wxDragCopy over either file row, whatever is dragged; else wxDragNone.
    // Outside the rows the drag is refused before the toolkit asks.
    wxDragResult OnDragOver(wxCoord x, wxCoord y, wxDragResult def) override;
    // Puts the first file into the name field of the row under the point.
    // False, with nothing changed, outside both rows or for an empty list.
    bool OnDropFiles(wxCoord x, wxCoord y, const wxArrayString& filenames) override;

    // Whether a drop at (x, y), in the dialog's client coordinates, lands
    // on a row.
    bool TakesDropAt(wxCoord x, wxCoord y) const;

private:
    // The name field of the row under (x, y), row 1 first; null outside.
    wxTextCtrl* FindNameField(wxCoord x, wxCoord y) const;

    WirelaceDlg& m_dialog;
};

#endif
