// Every file dialog of the main window. The native dialog is given exactly
// the file the window suggests and hands back exactly the file the user
// chose, whatever bytes its name holds; every filter that stands for all
// files lists every file.
#ifndef WIRELACE_DIALOG_FILEDIALOG_H
#define WIRELACE_DIALOG_FILEDIALOG_H

#include <wx/filedlg.h>

class FileDialog : public wxFileDialog
{
public:
    // `file` is suggested as it stands: no extension is added to it. A save
    // dialog opens in its folder with its name in the name field, an open
    // dialog with the file itself selected.
    FileDialog(wxWindow* parent, const wxString& title, const wxString& file,
               const wxString& wildcard, long style);

    // The full path chosen, in the toolkit's file-name mapping: a name that
    // is not UTF-8 comes back as a dropped file's does, and opens the same
    // file again.
    wxString GetPath() const override;

private:
    void Suggest(const wxString& file);
};

#endif
