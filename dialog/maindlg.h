// The program's one window: two file rows (name, format, Select, Convert),
// the Execute / File save group, the report field, the version label and
// OK / Cancel. The window rectangle, both names and both formats are kept
// in the user's settings file from one run that ended with OK to the next.
#ifndef WIRELACE_DIALOG_MAINDLG_H
#define WIRELACE_DIALOG_MAINDLG_H

#include <wx/choice.h>
#include <wx/dialog.h>
#include <wx/fileconf.h>
#include <wx/string.h>
#include <wx/textctrl.h>

#include <cstdint>
#include <string>

class wxSizer;
class DropTarget;

class WirelaceDlg : public wxDialog
{
public:
    // Control ids. Row 2's name field and choice swap the order of row 1's.
    enum
    {
        ID_FILE1_NAME = 6000,
        ID_FILE1_MODE = 6001,
        ID_FILE1_SELECT = 6002,
        ID_FILE1_CONVERT = 6003,
        ID_FILE2_MODE = 6004,
        ID_FILE2_NAME = 6005,
        ID_FILE2_SELECT = 6006,
        ID_FILE2_CONVERT = 6007,
        ID_EXECUTE = 6008,
        ID_FILE_SAVE = 6009,
        ID_DIFFERENCE_TEXT = 6010,
    };

    WirelaceDlg();

    // Showing puts the window where the settings placed it, also under a
    // window manager.
    bool Show(bool show = true) override;

    void OnFile1SelectButtonClicked(wxCommandEvent& event);
    void OnFile2SelectButtonClicked(wxCommandEvent& event);
    void OnFile1ConvertButtonClicked(wxCommandEvent& event);
    void OnFile2ConvertButtonClicked(wxCommandEvent& event);
    void OnExecuteButtonClicked(wxCommandEvent& event);
    void OnFileSaveButtonClicked(wxCommandEvent& event);
    // Stores the settings; the dialog's own OK handling then ends it.
    void OnOK(wxCommandEvent& event);

private:
    friend class DropTarget;

    void CreateLayout();
    // Adds a row's label and its sizer to `top`; returns the row's sizer.
    wxSizer* AddFileRow(wxSizer& top, const wxString& label, wxTextCtrl& name, int nameId,
                        wxChoice& mode, int modeId, int selectId, int convertId);
    void AddButtonGroup(wxSizer& top);
    void AddBottomRow(wxSizer& top);
    void RestoreSettings();
    bool ReadInt(const wxString& key, int& value) const;
    void RestoreName(const wxString& key, wxTextCtrl& name);
    void RestoreMode(const wxString& key, wxChoice& mode);
    void SelectFile(const wxString& title, wxTextCtrl& name);
    void ConvertFile(const wxString& title, const wxTextCtrl& name, const wxChoice& mode);
    // The format id of the choice's selected position.
    static uint32_t SelectedMode(const wxChoice& mode);
    static void ShowMissingName();

    // Declaration order is construction order: the store is the last member
    // built and so the first destroyed, writing its file before the
    // controls go.
    wxTextCtrl m_file1Name;
    wxTextCtrl m_file2Name;
    wxChoice m_file1Mode;
    wxChoice m_file2Mode;
    wxTextCtrl m_differenceText;
    // The bytes of the report in the field, as the comparison gave them:
    // File save writes these, while the field shows them decoded for
    // reading.
    std::string m_report;
    // What the File save dialog suggests.
    wxString m_outFileName;
    // The file rows' sizers, owned by the top sizer; the drop target reads
    // the rows' rectangles from them.
    wxSizer* m_file1Sizer;
    wxSizer* m_file2Sizer;
    // Owned by the window once attached.
    DropTarget* m_dropTarget;
    // Whether the settings gave the window a position; without one the
    // window manager places it.
    bool m_hasStoredPosition;
    wxFileConfig m_config;

    wxDECLARE_EVENT_TABLE();
};

#endif
