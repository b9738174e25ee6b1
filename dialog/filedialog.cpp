#include "dialog/filedialog.h"

#include <wx/arrstr.h>
#include <wx/filename.h>

#ifdef __WXGTK__
#include <gtk/gtk.h>
#endif

namespace
{
// The filters with every pattern "*.*" written as "*". GTK's file chooser
// takes "*.*" literally and hides names without a dot, where "*" lists
// every file there as on the other ports. Only patterns (every second
// field) change; the filters' names stay as written.
wxString WithNativeAllFiles(const wxString& wildcard)
{
    wxArrayString fields = wxSplit(wildcard, '|', '\0');
    for (size_t pattern = 1; pattern < fields.size(); pattern += 2)
    {
        wxArrayString alternatives = wxSplit(fields[pattern], ';', '\0');
        for (wxString& alternative : alternatives)
            if (alternative == "*.*")
                alternative = "*";
        fields[pattern] = wxJoin(alternatives, ';', '\0');
    }
    return wxJoin(fields, '|', '\0');
}
}

// The toolkit is given no file of its own: it would add the first filter's
// extension to a name without one ("difference" would be offered as
// "difference.txt", and an existing "noext" not be selected at all).
FileDialog::FileDialog(wxWindow* parent, const wxString& title, const wxString& file,
                       const wxString& wildcard, long style)
    : wxFileDialog(parent, title, wxEmptyString, wxEmptyString, WithNativeAllFiles(wildcard),
                   style)
{
    Suggest(file);
}

#ifdef __WXGTK__
namespace
{
GtkFileChooser* Chooser(const wxFileDialog& dialog)
{
    return GTK_FILE_CHOOSER(dialog.GetHandle());
}

// GTK shows a selected file that the filter in force hides by putting no
// filter in force at all, which leaves the filter list blank. The first
// filter that lists the file is put in force instead; the filters match
// the name the chooser lists it under.
void ShowUnderFilterListing(GtkFileChooser* chooser, const char* path)
{
    g_autoptr(GFile) file = g_file_new_for_path(path);
    g_autoptr(GFileInfo) info = g_file_query_info(file, G_FILE_ATTRIBUTE_STANDARD_DISPLAY_NAME,
                                                  G_FILE_QUERY_INFO_NONE, nullptr, nullptr);
    if (!info)
        return; // nothing there to select
    const GtkFileFilterInfo listed{GTK_FILE_FILTER_DISPLAY_NAME, nullptr, nullptr,
                                   g_file_info_get_display_name(info), nullptr};
    GSList* filters = gtk_file_chooser_list_filters(chooser);
    for (GSList* item = filters; item; item = item->next)
        if (gtk_file_filter_filter(GTK_FILE_FILTER(item->data), &listed))
        {
            gtk_file_chooser_set_filter(chooser, GTK_FILE_FILTER(item->data));
            break;
        }
    g_slist_free(filters);
}
}

void FileDialog::Suggest(const wxString& file)
{
    if (file.empty())
        return;
    // The chooser wants an absolute path; a relative one is taken from the
    // current folder, as the toolkit does.
    wxFileName path(file);
    path.MakeAbsolute();
    GtkFileChooser* chooser = Chooser(*this);
    gtk_file_chooser_set_current_folder(chooser, path.GetPath().fn_str());
    const wxString name = path.GetFullName();
    if (name.empty())
        return;
    if (!HasFdFlag(wxFD_SAVE))
    {
        const wxCharBuffer bytes = path.GetFullPath().fn_str();
        ShowUnderFilterListing(chooser, bytes.data());
        gtk_file_chooser_set_filename(chooser, bytes.data());
        return;
    }
    // The name field shows text, not bytes: a name that is not UTF-8
    // cannot be offered there, and the user types one instead.
    const wxCharBuffer bytes = name.fn_str();
    if (bytes.data() && g_utf8_validate(bytes.data(), bytes.length(), nullptr))
        gtk_file_chooser_set_current_name(chooser, bytes.data());
}

// The toolkit's own answer is empty for a name that is not UTF-8.
wxString FileDialog::GetPath() const
{
    gchar* chosen = gtk_file_chooser_get_filename(Chooser(*this));
    const wxString path = chosen ? wxString(chosen, *wxConvFileName) : wxString();
    g_free(chosen);
    return path;
}
#else
void FileDialog::Suggest(const wxString& file)
{
    SetPath(file);
}

wxString FileDialog::GetPath() const
{
    return wxFileDialog::GetPath();
}
#endif
