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
        gtk_file_chooser_set_filename(chooser, path.GetFullPath().fn_str());
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
