#include "dialog/maindlg.h"

#include "dialog/droptarget.h"
#include "dialog/filedialog.h"
#include "netlist/converter.h"
#include "netlist/differencer.h"
#include "netlist/mode.h"

#include <wx/button.h>
#include <wx/ffile.h>
#include <wx/log.h>
#include <wx/msgdlg.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#ifdef __WXGTK__
#include <gtk/gtk.h>
#endif

#include <optional>

namespace
{
const wxString SYSTEM_NAME = "v0.20 (2005/11/25)";
const wxString FILE_DIALOG_WILDCARD =
    "Net list (*.net *.lst *.txt *.ccf *.ecf)|*.net;*.lst;*.txt;*.ccf;*.ecf|All files (*.*)|*.*";

const wxString REPORT_WILDCARD = "Text file (*.txt)|*.txt|All files (*.*)|*.*";

const int DIALOG_STYLE = wxCAPTION | wxCLOSE_BOX | wxSYSTEM_MENU | wxMINIMIZE_BOX |
                         wxMAXIMIZE_BOX | wxRESIZE_BORDER;
const int LABEL_FLAGS = wxLEFT | wxRIGHT | wxTOP;
const int ROW_ITEM_FLAGS = wxALIGN_CENTER_VERTICAL | wxLEFT | wxRIGHT;
const int BORDER = 5;

// The farthest a native window reaches in either direction, and its
// largest size.
const long MAX_WINDOW_COORDINATE = 32767;

// Closes the file, logging a failure only when `report` is set. The system
// frees the stream even when closing it fails, but the toolkit's file then
// keeps it and would close it once more when destroyed; so it lets go.
bool CloseOnce(wxFFile& file, bool report)
{
    std::optional<wxLogNull> quiet;
    if (!report)
        quiet.emplace();
    if (file.Close())
        return true;
    file.Detach();
    return false;
}

// Replaces the file's content by `bytes` through the same buffered toolkit
// file that a text control saves its text with, so that a failure is
// logged in the same words, with the system's reason. The buffered write
// already offers the rest of a short write again; after a failed one it is
// not tried once more. Closing flushes what the stream still holds; after a
// failed write the user has been told already, and a failure there is not
// logged again.
bool WriteFile(const wxString& path, const std::string& bytes)
{
    wxFFile file(path, "w");
    if (!file.IsOpened())
        return false;
    const bool written = file.Write(bytes.data(), bytes.size()) == bytes.size();
    return CloseOnce(file, written) && written;
}
}

// clang-format off
wxBEGIN_EVENT_TABLE(WirelaceDlg, wxDialog)
    EVT_BUTTON(WirelaceDlg::ID_FILE1_SELECT, WirelaceDlg::OnFile1SelectButtonClicked)
    EVT_BUTTON(WirelaceDlg::ID_FILE2_SELECT, WirelaceDlg::OnFile2SelectButtonClicked)
    EVT_BUTTON(WirelaceDlg::ID_FILE1_CONVERT, WirelaceDlg::OnFile1ConvertButtonClicked)
    EVT_BUTTON(WirelaceDlg::ID_FILE2_CONVERT, WirelaceDlg::OnFile2ConvertButtonClicked)
    EVT_BUTTON(WirelaceDlg::ID_EXECUTE, WirelaceDlg::OnExecuteButtonClicked)
    EVT_BUTTON(WirelaceDlg::ID_FILE_SAVE, WirelaceDlg::OnFileSaveButtonClicked)
    EVT_BUTTON(wxID_OK, WirelaceDlg::OnOK)
wxEND_EVENT_TABLE()
// clang-format on

WirelaceDlg::WirelaceDlg()
    : wxDialog(nullptr, wxID_ANY, "Wirelace", wxDefaultPosition, wxDefaultSize, DIALOG_STYLE),
      m_outFileName("difference"),
      m_file1Sizer(nullptr),
      m_file2Sizer(nullptr),
      m_dropTarget(nullptr),
      m_hasStoredPosition(false),
      m_config("Wirelace", "Quillmarsh", wxEmptyString, wxEmptyString,
               wxCONFIG_USE_LOCAL_FILE | wxCONFIG_USE_GLOBAL_FILE, wxConvUTF8)
{
    // File names are stored as typed; the store would otherwise replace
    // "$NAME" in them by the environment's value when reading them back.
    m_config.SetExpandEnvVars(false);
    CreateLayout();
    // The drop target decides by the rows' rectangles, so it needs the
    // layout in place.
    m_dropTarget = new DropTarget(*this);
    SetDropTarget(m_dropTarget);
    RestoreSettings();
}

void WirelaceDlg::CreateLayout()
{
    wxBoxSizer* top = new wxBoxSizer(wxVERTICAL);
    top->SetMinSize(500, 300);
    m_file1Sizer = AddFileRow(*top, "File 1", m_file1Name, ID_FILE1_NAME, m_file1Mode,
                              ID_FILE1_MODE, ID_FILE1_SELECT, ID_FILE1_CONVERT);
    m_file2Sizer = AddFileRow(*top, "File 2", m_file2Name, ID_FILE2_NAME, m_file2Mode,
                              ID_FILE2_MODE, ID_FILE2_SELECT, ID_FILE2_CONVERT);
    AddButtonGroup(*top);
    top->Add(new wxStaticText(this, wxID_ANY, "Difference"), 0, LABEL_FLAGS, BORDER);
    m_differenceText.Create(this, ID_DIFFERENCE_TEXT, wxEmptyString, wxDefaultPosition,
                            wxDefaultSize, wxTE_READONLY | wxTE_MULTILINE | wxTE_RICH);
    top->Add(&m_differenceText, 1, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, BORDER);
    AddBottomRow(*top);
    SetSizer(top);
    // Fits the dialog to its contents and keeps it from shrinking below.
    top->SetSizeHints(this);
}

wxSizer* WirelaceDlg::AddFileRow(wxSizer& top, const wxString& label, wxTextCtrl& name,
                                 int nameId, wxChoice& mode, int modeId, int selectId,
                                 int convertId)
{
    top.Add(new wxStaticText(this, wxID_ANY, label), 0, LABEL_FLAGS, BORDER);
    wxBoxSizer* row = new wxBoxSizer(wxHORIZONTAL);
    name.Create(this, nameId, wxEmptyString);
    row->Add(&name, 1, ROW_ITEM_FLAGS, BORDER);
    mode.Create(this, modeId);
    kqNetMode::InitChoice(mode);
    row->Add(&mode, 0, ROW_ITEM_FLAGS, BORDER);
    row->Add(new wxButton(this, selectId, "Select"), 0, ROW_ITEM_FLAGS, BORDER);
    row->Add(new wxButton(this, convertId, "Convert"), 0, ROW_ITEM_FLAGS, BORDER);
    top.Add(row, 0, wxEXPAND, 0);
    return row;
}

void WirelaceDlg::AddButtonGroup(wxSizer& top)
{
    wxStaticBox* box = new wxStaticBox(this, wxID_ANY, wxEmptyString);
    wxStaticBoxSizer* group = new wxStaticBoxSizer(box, wxHORIZONTAL);
    // Pushes the two buttons towards the right, taking three parts of the
    // free width to Execute's one. An empty sizer would count as hidden
    // and take nothing, so the gap is a plain spacer.
    group->AddStretchSpacer(3);
    group->Add(new wxButton(this, ID_EXECUTE, "Execute"), 1, wxALL, BORDER);
    group->Add(new wxButton(this, ID_FILE_SAVE, "File save"), 0, wxALL, BORDER);
    top.Add(group, 0, wxEXPAND | wxALL, BORDER);
}

void WirelaceDlg::AddBottomRow(wxSizer& top)
{
    wxBoxSizer* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(new wxStaticText(this, wxID_ANY, SYSTEM_NAME), 1, wxALIGN_CENTER_VERTICAL | wxALL,
             BORDER);
    // Shares the free width equally with the version label.
    row->AddStretchSpacer(1);
    row->Add(new wxButton(this, wxID_OK, "OK"), 0, wxALIGN_CENTER_VERTICAL | wxALL, BORDER);
    row->Add(new wxButton(this, wxID_CANCEL, "Cancel"), 0, wxALIGN_CENTER_VERTICAL | wxALL,
             BORDER);
    top.Add(row, 0, wxEXPAND, 0);
}

// Every read falls back on what the dialog already shows, so a missing key
// changes nothing.
void WirelaceDlg::RestoreSettings()
{
    wxRect rect = GetRect();
    const bool hasX = ReadInt("WindowX", rect.x);
    const bool hasY = ReadInt("WindowY", rect.y);
    m_hasStoredPosition = hasX || hasY;
    ReadInt("WindowWidth", rect.width);
    ReadInt("WindowHeight", rect.height);
    SetSize(rect, wxSIZE_AUTO);
    RestoreName("File1Name", m_file1Name);
    RestoreMode("File1Mode", m_file1Mode);
    RestoreName("File2Name", m_file2Name);
    RestoreMode("File2Mode", m_file2Mode);
}

// Text that is not an integer, or an integer that no native window can take
// as a coordinate or size, counts as missing: `value` stays as it was and
// the result is false. The windowing system keeps them in 16 bits: beyond
// that a position wraps round to some other place and a size is refused
// with a broken window. Smaller sizes than the dialog's minimum are raised
// to it by the toolkit.
bool WirelaceDlg::ReadInt(const wxString& key, int& value) const
{
    long stored = 0;
    if (!m_config.Read(key, &stored))
        return false;
    if (stored < -MAX_WINDOW_COORDINATE || stored > MAX_WINDOW_COORDINATE)
        return false;
    value = static_cast<int>(stored);
    return true;
}

// Under a window manager that reports its frame sizes, wxGTK holds the
// first showing back until it knows them. Meanwhile it has created the
// native window with a dummy allocation (the screen's corner, 2 by 1), and
// when it finally shows it GTK maps it there without the position asked
// for by SetSize; only the size follows, as a resize after mapping. The
// window manager takes the corner for the program's chosen place and keeps
// the window there. So the native window, still unmapped, is moved to the
// dialog's position here: the manager places the frame's corner there,
// which is the position GetRect gives back, and the size stays as set.
// The position is also handed to GTK again, as wx skips a move to where it
// thinks the window already is (0,0 before any move), and only a position
// given to GTK tells the manager that the program chose it.
bool WirelaceDlg::Show(bool show)
{
#ifdef __WXGTK__
    if (!show || IsShown() || !m_hasStoredPosition)
        return wxDialog::Show(show);
    const wxPoint position = GetPosition();
    gtk_window_move(GTK_WINDOW(m_widget), position.x, position.y);
    const bool changed = wxDialog::Show(show);
    if (gtk_widget_get_realized(m_widget) && !gtk_widget_get_mapped(m_widget))
        gdk_window_move(gtk_widget_get_window(m_widget), position.x, position.y);
    return changed;
#else
    return wxDialog::Show(show);
#endif
}

void WirelaceDlg::RestoreName(const wxString& key, wxTextCtrl& name)
{
    name.SetValue(m_config.Read(key, name.GetValue()));
}

// The toolkit's SetStringSelection ignores letter case; a stored format name
// selects its format only when it matches exactly.
void WirelaceDlg::RestoreMode(const wxString& key, wxChoice& mode)
{
    const int position = mode.FindString(m_config.Read(key, mode.GetStringSelection()), true);
    if (position != wxNOT_FOUND)
        mode.SetSelection(position);
}

void WirelaceDlg::OnOK(wxCommandEvent& event)
{
    const wxRect rect = GetRect();
    m_config.Write("WindowX", static_cast<long>(rect.x));
    m_config.Write("WindowY", static_cast<long>(rect.y));
    m_config.Write("WindowWidth", static_cast<long>(rect.width));
    m_config.Write("WindowHeight", static_cast<long>(rect.height));
    m_config.Write("File1Name", m_file1Name.GetValue());
    m_config.Write("File1Mode", m_file1Mode.GetStringSelection());
    m_config.Write("File2Name", m_file2Name.GetValue());
    m_config.Write("File2Mode", m_file2Mode.GetStringSelection());
    m_config.Write("OutFileName", m_outFileName);
    // The dialog's own OK handling ends the modal loop; the store writes its
    // file when the dialog is destroyed.
    event.Skip(true);
}

void WirelaceDlg::OnFile1SelectButtonClicked(wxCommandEvent&)
{
    SelectFile("Select - file 1", m_file1Name);
}

void WirelaceDlg::OnFile2SelectButtonClicked(wxCommandEvent&)
{
    SelectFile("Select - file 2", m_file2Name);
}

void WirelaceDlg::OnFile1ConvertButtonClicked(wxCommandEvent&)
{
    ConvertFile("Transfer - file 1", m_file1Name, m_file1Mode);
}

void WirelaceDlg::OnFile2ConvertButtonClicked(wxCommandEvent&)
{
    ConvertFile("Convert - file 2", m_file2Name, m_file2Mode);
}

// Compares from scratch on every press; the field shows only the newest
// report.
void WirelaceDlg::OnExecuteButtonClicked(wxCommandEvent&)
{
    if (m_file1Name.GetValue().IsEmpty() || m_file2Name.GetValue().IsEmpty())
    {
        ShowMissingName();
        return;
    }
    kqNetDifferencer differencer;
    differencer.Execute(m_file1Name.GetValue(), SelectedMode(m_file1Mode),
                        m_file2Name.GetValue(), SelectedMode(m_file2Mode));
    m_differenceText.Clear();
    differencer.GetText(m_differenceText, m_report);
}

void WirelaceDlg::OnFileSaveButtonClicked(wxCommandEvent&)
{
    FileDialog dialog(this, "File save - difference", m_outFileName, REPORT_WILDCARD,
                      wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    if (dialog.ShowModal() != wxID_OK)
        return;
    // Remembered even when the save fails, so the next dialog offers it.
    m_outFileName = dialog.GetPath();
    // Not the field's text: the field shows names decoded, or with a
    // stand-in for a NUL, and the file must name the nets by the bytes the
    // netlists hold.
    WriteFile(m_outFileName, m_report);
}

// The chosen file is not opened or checked, and the row's format stays.
void WirelaceDlg::SelectFile(const wxString& title, wxTextCtrl& name)
{
    FileDialog dialog(this, title, name.GetValue(), FILE_DIALOG_WILDCARD, wxFD_OPEN);
    if (dialog.ShowModal() == wxID_OK)
        name.SetValue(dialog.GetPath());
}

// The target's format is the filter chosen in the dialog, never the file
// name's extension; the name is used as given.
void WirelaceDlg::ConvertFile(const wxString& title, const wxTextCtrl& name,
                              const wxChoice& mode)
{
    if (name.GetValue().IsEmpty())
    {
        ShowMissingName();
        return;
    }
    FileDialog dialog(this, title, "convert", kqNetMode::GetDialogWildcard(),
                      wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    if (dialog.ShowModal() != wxID_OK)
        return;
    kqNetConverter::Execute(name.GetValue(), SelectedMode(mode), dialog.GetPath(),
                            static_cast<uint32_t>(kqNetMode::GetMode(dialog.GetFilterIndex())));
}

uint32_t WirelaceDlg::SelectedMode(const wxChoice& mode)
{
    return static_cast<uint32_t>(kqNetMode::GetMode(static_cast<uint32_t>(mode.GetSelection())));
}

void WirelaceDlg::ShowMissingName()
{
    wxMessageBox("Please select the file.");
}
