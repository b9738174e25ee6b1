#include "dialog/droptarget.h"

#include "dialog/maindlg.h"

#include <wx/sizer.h>

#ifdef __WXGTK__
#include <gtk/gtk.h>
#endif

namespace
{
// Where the layout last put the row, in the dialog's client coordinates;
// read afresh each time so that it follows a resize.
bool RowContains(const wxSizer& row, wxCoord x, wxCoord y)
{
    return wxRect(row.GetPosition(), row.GetSize()).Contains(x, y);
}

#ifdef __WXGTK__
// Whether the window's drop target takes any of the formats a drag offers.
bool TakesDrag(const wxWindow& window, GdkDragContext* context)
{
    const wxDropTarget* target = window.GetDropTarget();
    const wxDataObject* data = target ? target->GetDataObject() : nullptr;
    if (!data)
        return false;
    for (GList* offered = gdk_drag_context_list_targets(context); offered; offered = offered->next)
        if (data->IsSupported(wxDataFormat(GDK_POINTER_TO_ATOM(offered->data)), wxDataObject::Set))
            return true;
    return false;
}

// Runs before a text field's own "drag-motion" and "drag-drop" handling.
// A drag that the window under the field takes is kept from the field, and
// GTK then offers it to that window as if the field were not there.
gboolean LeaveDragToParent(GtkWidget* widget, GdkDragContext* context, gint, gint, guint,
                           gpointer field)
{
    if (TakesDrag(*static_cast<wxWindow*>(field)->GetParent(), context))
        g_signal_stop_emission(widget, g_signal_get_invocation_hint(widget)->signal_id, 0);
    return FALSE;
}

// GTK's text entry is a drop site of its own: it refuses a drag of files
// alone, and inserts the text of one that brings the same files as text
// too, so the dialog would never see either. The field is made to leave
// such drags to the dialog; a drag of text alone stays the field's.
void LeaveFileDragsToDialog(wxTextCtrl& field)
{
    GtkWidget* entry = static_cast<GtkWidget*>(field.GetHandle());
    for (const char* signal : {"drag-motion", "drag-drop"})
        g_signal_connect(entry, signal, G_CALLBACK(LeaveDragToParent), &field);
}

// Runs before the toolkit's own "drag-motion" handling of the dialog. The
// toolkit answers wxDragNone with "move", which a source that allows moving
// takes as a promise: it drops, is told its files were moved, and deletes
// them. Outside the rows the drag is kept from the toolkit instead, and GTK
// then tells the source that nothing here takes it.
gboolean RefuseDragOutsideRows(GtkWidget* widget, GdkDragContext*, gint x, gint y, guint,
                               gpointer target)
{
    if (!static_cast<DropTarget*>(target)->TakesDropAt(x, y))
        g_signal_stop_emission_by_name(widget, "drag-motion");
    return FALSE;
}

void RefuseDragsOutsideRows(wxWindow& dialog, DropTarget& target)
{
    // The widget the toolkit's drop target is registered on; connected
    // before the target is attached, so this runs first.
    g_signal_connect(dialog.GetConnectWidget(), "drag-motion", G_CALLBACK(RefuseDragOutsideRows),
                     &target);
}
#else
void LeaveFileDragsToDialog(wxTextCtrl&) {}
void RefuseDragsOutsideRows(wxWindow&, DropTarget&) {}
#endif
}

DropTarget::DropTarget(WirelaceDlg& dialog) : m_dialog(dialog)
{
    // Files dropped on a name field are this target's to place, by the
    // rows' rectangles like any other drop.
    LeaveFileDragsToDialog(m_dialog.m_file1Name);
    LeaveFileDragsToDialog(m_dialog.m_file2Name);
    RefuseDragsOutsideRows(m_dialog, *this);
}

bool DropTarget::TakesDropAt(wxCoord x, wxCoord y) const
{
    return FindNameField(x, y) != nullptr;
}

wxDragResult DropTarget::OnDragOver(wxCoord x, wxCoord y, wxDragResult)
{
    return TakesDropAt(x, y) ? wxDragCopy : wxDragNone;
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
