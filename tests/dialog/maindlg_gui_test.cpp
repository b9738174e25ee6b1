// The main dialog: its layout, the settings it restores and stores on OK,
// files dropped on its rows, and its commands, with every file dialog and
// message box answered in-process.
#include "dialog/maindlg.h"

#include "netlist/bytes.h"
#include "netlist/comparison.h"

#include <wx/clipbrd.h>
#include <wx/dnd.h>
#include <wx/filedlg.h>
#include <wx/frame.h>
#include <wx/log.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>
#include <wx/sizer.h>

#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <atomic>
#include <filesystem>
#include <thread>

using namespace testutil;
using namespace std::string_literals;

namespace
{
using D = WirelaceDlg;
// The Select dialogs' filters, as shown after a file there.
const std::string NET_LIST = " (Net list (*.net *.lst *.txt *.ccf *.ecf))",
                  ALL_FILES = " (All files (*.*))";
enum { NAME1 = D::ID_FILE1_NAME, MODE1 = D::ID_FILE1_MODE, NAME2 = D::ID_FILE2_NAME,
       MODE2 = D::ID_FILE2_MODE, REPORT = D::ID_DIFFERENCE_TEXT };

// A literal's bytes, NULs included.
template <size_t N> std::string Bytes(const char (&text)[N]) { return std::string(text, N - 1); }

// What the native chooser of a file dialog is given: whether it opens or
// saves (and then asks before overwriting), and which of three names each
// of its filters lists.
std::string Offered(wxFileDialog& dialog)
{
    GtkFileChooser* chooser = GTK_FILE_CHOOSER(dialog.GetHandle());
    std::string offered =
        gtk_file_chooser_get_action(chooser) == GTK_FILE_CHOOSER_ACTION_OPEN ? "open" : "save";
    if (gtk_file_chooser_get_do_overwrite_confirmation(chooser))
        offered += ", asking first";
    GSList* filters = gtk_file_chooser_list_filters(chooser);
    for (GSList* item = filters; item; item = item->next)
    {
        GtkFileFilter* filter = GTK_FILE_FILTER(item->data);
        offered += std::string("; ") + gtk_file_filter_get_name(filter) + ":";
        for (const char* name : {"netlist", "board.ecf", "report.txt"})
        {
            const GtkFileFilterInfo file{GTK_FILE_FILTER_DISPLAY_NAME, nullptr, nullptr, name,
                                         nullptr};
            if (gtk_file_filter_filter(filter, &file))
                offered += std::string(" ") + name;
        }
    }
    g_slist_free(filters);
    return offered;
}

// What the native chooser shows once it has read its folder: the name in
// a save dialog's name field, the file selected in an open dialog. Its
// folder goes to `folder`.
std::string ChooserShows(wxFileDialog& dialog, std::string& folder)
{
    GtkFileChooser* chooser = GTK_FILE_CHOOSER(dialog.GetHandle());
    gchar* current = nullptr;
    for (int i = 0; i < 400 && !(current = gtk_file_chooser_get_current_folder(chooser));
         ++i, wxMilliSleep(5))
        wxYield();
    folder = current ? current : "";
    g_free(current);
    if (gtk_file_chooser_get_action(chooser) == GTK_FILE_CHOOSER_ACTION_SAVE)
    {
        gchar* name = gtk_file_chooser_get_current_name(chooser);
        const std::string shown = name ? name : "";
        g_free(name);
        return shown;
    }
    // The selection follows the folder's contents, shortly; so does the
    // filter in force, which must list what is selected.
    gchar* selected = nullptr;
    for (int i = 0; i < 40 && !(selected = gtk_file_chooser_get_filename(chooser));
         ++i, wxMilliSleep(5))
        wxYield();
    GtkFileFilter* filter = gtk_file_chooser_get_filter(chooser);
    const std::string shown = (selected ? selected : "nothing selected") + std::string(" (") +
                              (filter ? gtk_file_filter_get_name(filter) : "no filter") + ")";
    g_free(selected);
    return shown;
}

// Answers every modal dialog at once instead of waiting for a user, noting
// what it shows. A file dialog is confirmed with the planned path and
// filter, or as it is offered when so planned, or else cancelled; anything
// else is cancelled.
struct Answers : wxModalDialogHook
{
    static constexpr const char* AS_OFFERED = "(as offered)";

    Answers() { Register(); }
    int Enter(wxDialog* dialog) override
    {
        auto* message = dynamic_cast<wxMessageDialog*>(dialog);
        auto* file = dynamic_cast<wxFileDialog*>(dialog);
        if (message)
            shown += message->GetMessage().utf8_string() + "|";
        else if (file)
            shown += gtk_window_get_title(GTK_WINDOW(dialog->GetHandle())) +
                     (": " + ChooserShows(*file, folder)) + "|";
        else
            shown += dialog->GetTitle().utf8_string() + "|";
        if (file)
            offered += Offered(*file) + "\n";
        if (!file || path.empty())
            return wxID_CANCEL;
        if (path == AS_OFFERED)
            return wxID_OK;
        file->SetFilterIndex(filter);
        // A name to save under is typed as text; a file to open is picked
        // from the list as it is, by its bytes, which the toolkit's SetPath
        // loses when they are not UTF-8.
        if (file->HasFdFlag(wxFD_SAVE))
            file->SetPath(path);
        else
            gtk_file_chooser_set_filename(GTK_FILE_CHOOSER(file->GetHandle()), path.fn_str());
        // The native dialog reports the new path only once it has loaded the folder.
        for (int i = 0; i < 400 && file->GetPath() != path; ++i, wxMilliSleep(5))
            wxYield();
        return wxID_OK;
    }
    void Exit(wxDialog*) override {}

    std::string shown;
    std::string offered;
    std::string folder;
    wxString path;
    int filter = 0;
};

// The errors the toolkit logs while it lives, one a line, with the
// system's reason.
class LoggedErrors : public wxLog
{
public:
    LoggedErrors() : m_before(wxLog::SetActiveTarget(this)) {}
    ~LoggedErrors() override { wxLog::SetActiveTarget(m_before); }
    std::string Take() { return std::exchange(m_errors, ""); }

protected:
    void DoLogRecord(wxLogLevel level, const wxString& text, const wxLogRecordInfo&) override
    {
        if (level == wxLOG_Error)
            m_errors += text.utf8_string() + "\n";
    }

private:
    wxLog* m_before;
    std::string m_errors;
};

// Each test starts without a settings file. Open() ends the open dialog
// first, so that its settings (if it was left with OK) are written before
// the new one reads them.
class MainDialog : public testing::Test
{
protected:
    void SetUp() override { std::remove(m_settings.c_str()); }
    void TearDown() override { EXPECT_EQ(Shown(), "") << "dialogs no test expected"; }
    WirelaceDlg& Open() { return m_dialog.reset(), *(m_dialog = std::make_unique<WirelaceDlg>()); }
    wxWindow& Get(int id) { return *m_dialog->FindWindow(id); }
    wxChoice& Choice(int id) { return dynamic_cast<wxChoice&>(Get(id)); }
    wxTextCtrl& Field(int id) { return dynamic_cast<wxTextCtrl&>(Get(id)); }
    std::string Text(int id) { return Field(id).GetValue().utf8_string(); }
    void Set(int id, const std::string& text) { Field(id).SetValue(wxString::FromUTF8(text)); }
    std::string Names() { return Text(NAME1) + "|" + Text(NAME2); }
    // Clicks the button; a file dialog it opens is given `path` and `filter`.
    void Click(int id, const wxString& path = "", int filter = 0)
    {
        m_answers.path = path;
        m_answers.filter = filter;
        wxCommandEvent click(wxEVT_BUTTON, id);
        Get(id).HandleWindowEvent(click);
    }
    // What the dialogs shown since the last call showed.
    std::string Shown() { return std::exchange(m_answers.shown, ""); }
    // Compares two files of the folder in the dialog, with the formats it
    // starts with (BSch/Allegro); the report's bytes as the comparison
    // gives them for the same files.
    std::string Compare(const std::string& name1, const std::string& name2)
    {
        Set(NAME1, m_dir.File(name1));
        Set(NAME2, m_dir.File(name2));
        Click(D::ID_EXECUTE);
        kqNetDifferencer differencer;
        differencer.Execute(m_dir.File(name1), 0, m_dir.File(name2), 0);
        return kqStringToBytes(differencer.GetText());
    }

    const std::string m_settings = wxFileConfig::GetLocalFileName("Wirelace").utf8_string();
    TempDir m_dir;
    Answers m_answers;
    std::unique_ptr<WirelaceDlg> m_dialog;
};

// Drives the real pointer and keyboard with xdotool, on a display of its
// own (see tests/CMakeLists.txt), while the toolkit answers as it does for
// a user.
class RealInput : public MainDialog
{
protected:
    static void Idle(int milliseconds)
    {
        for (int i = 0; i < milliseconds / 10; ++i, wxMilliSleep(10))
            wxYield();
    }
    static void Xdotool(const std::string& commands)
    {
        std::atomic<bool> done = false;
        int status = 0;
        std::thread xdotool([&] {
            status = std::system(("xdotool " + commands).c_str());
            done = true;
        });
        while (!done)
            Idle(10);
        xdotool.join();
        // Input sent just before xdotool ended may still be on its way.
        Idle(200);
        EXPECT_EQ(status, 0) << "xdotool " << commands;
    }
    // Presses the mouse on a window of its own, which then starts a drag of
    // `data` as a file manager does, moves it in steps onto the middle of
    // `onto` and lets go there. What the drop gave the source.
    wxDragResult Drag(wxDataObject* data, wxWindow& onto, int flags = wxDrag_CopyOnly)
    {
        const std::unique_ptr<wxDataObject> dragged(data);
        wxDragResult result = wxDragError;
        wxFrame* source = new wxFrame(nullptr, wxID_ANY, "source", {900, 800}, {100, 100});
        source->Bind(wxEVT_MOTION, [&, started = false](wxMouseEvent& event) mutable {
            if (event.Dragging() && !std::exchange(started, true))
                result = wxDropSource(*data, source).DoDragDrop(flags);
        });
        source->Show();
        Idle(300);
        const wxPoint from = source->GetScreenRect().GetPosition() + wxPoint(50, 50),
                      to = onto.GetScreenRect().GetPosition() + onto.GetSize() / 2;
        Xdotool(wxString::Format("mousemove %d %d mousedown 1 sleep 0.1 mousemove %d %d "
                                 "sleep 0.1 mousemove %d %d sleep 0.2 mousemove %d %d sleep 0.2 "
                                 "mouseup 1",
                                 from.x, from.y, from.x + 20, from.y + 20, to.x - 2, to.y, to.x,
                                 to.y)
                    .ToStdString());
        source->Destroy();
        return result;
    }
    wxDragResult Drag(wxDataObject* data, int id, int flags = wxDrag_CopyOnly)
    {
        return Drag(data, Get(id), flags);
    }
    wxWindow& Labelled(const wxString& label)
    {
        for (wxWindow* child : m_dialog->GetChildren())
            if (child->GetLabel() == label)
                return *child;
        ADD_FAILURE() << "no control labelled " << label;
        return *m_dialog;
    }
    wxDataObject* Files(const std::vector<std::string>& names, bool withText = false)
    {
        auto* data = new wxDataObjectComposite;
        auto* files = new wxFileDataObject;
        std::string text;
        for (const std::string& name : names)
        {
            WriteBytes(m_dir.File(name), "");
            files->AddFile(m_dir.File(name));
            text += "file://" + m_dir.File(name) + "\r\n";
        }
        data->Add(files, true);
        if (withText)
            data->Add(new wxTextDataObject(text));
        return data;
    }
};
}

TEST_F(MainDialog, LayoutAndGrowth)
{
    Open().Show();
    std::string controls;
    for (wxWindow* child : m_dialog->GetChildren())
        controls += std::to_string(std::max(child->GetId(), 0)) + ":" + child->GetLabel() + "|";
    EXPECT_EQ(controls, "0:File 1|6000:|6001:|6002:Select|6003:Convert|0:File 2|6005:|6004:|"
                        "6006:Select|6007:Convert|0:|6008:Execute|6009:File save|0:Difference|"
                        "6010:|0:v0.20 (2005/11/25)|5100:OK|5101:Cancel|");
    for (int id : {MODE1, MODE2})
        EXPECT_EQ(wxJoin(Choice(id).GetStrings(), '|') + " " + Choice(id).GetStringSelection(),
                  "BSch/Allegro|PADS|ZukenECF BSch/Allegro");
    const wxSize fitted = m_dialog->GetSize();
    EXPECT_TRUE(fitted == m_dialog->GetMinSize() && fitted.x >= 500 && fitted.y >= 300);
    m_dialog->SetSize(100, 100);
    EXPECT_EQ(m_dialog->GetSize(), fitted);
    // Only the report field grows in height.
    const auto heights = [&](int reportGrowth) {
        std::vector<int> result;
        for (wxWindow* child : m_dialog->GetChildren())
            result.push_back(child->GetSize().y - (child->GetId() == REPORT ? reportGrowth : 0));
        return result;
    };
    const std::vector<int> before = heights(0);
    m_dialog->SetSize(fitted + wxSize(200, 150));
    m_dialog->Layout();
    EXPECT_EQ(heights(150), before);
}

// Cancel writes nothing. Names are stored as typed: "$" is no environment
// variable, bytes beyond ASCII stay as they are.
TEST_F(MainDialog, OkStoresWhatIsOnScreenAndTheNextDialogRestoresIt)
{
    Open();
    Click(wxID_CANCEL);
    const std::string name1 = "/x/$HOME/\xC3\xA9t\xC3\xA9.net", name2 = "${HOME}\xE6\x97\xA5 N$1";
    Open().SetSize(31, 42, 777, 555);
    EXPECT_FALSE(Exists(m_settings));
    Set(NAME1, name1);
    Set(NAME2, name2);
    Choice(MODE1).SetSelection(2);
    Choice(MODE2).SetSelection(1);
    Click(wxID_OK);
    Open();
    EXPECT_EQ(ReadBytes(m_settings), "WindowX=31\nWindowY=42\nWindowWidth=777\nWindowHeight=555\n"
                                     "File1Name=" + name1 + "\nFile1Mode=ZukenECF\nFile2Name=" +
                                         name2 + "\nFile2Mode=PADS\nOutFileName=difference\n");
    EXPECT_EQ(m_dialog->GetRect(), wxRect(31, 42, 777, 555));
    EXPECT_EQ(Names(), name1 + "|" + name2);
    EXPECT_EQ(Choice(MODE1).GetSelection(), 2);
    EXPECT_EQ(Choice(MODE2).GetSelection(), 1);
}

// Window values that are no integers, or beyond the 16 bits of a native
// window, and format names in the wrong case are ignored; a file that is no
// UTF-8 reads as empty. Either way the dialog works and OK stores anew.
TEST_F(MainDialog, BadSettingsAreIgnored)
{
    const wxRect fitted = Open().GetRect();
    for (const std::string& settings :
         {"WindowX=12abc\nWindowY=-32768\nWindowWidth=wide\nWindowHeight=99999999999999999999\n"
          "File1Mode=pads\n"s,
          "WindowX=7\nFile1Name=\xFF\xFE\x80\0zz\nFile1Mode=PADS"s})
    {
        WriteBytes(m_settings, settings);
        EXPECT_EQ(Open().GetRect(), fitted);
        EXPECT_EQ(Names() + Choice(MODE1).GetStringSelection(), "|BSch/Allegro");
        Set(NAME1, "new.net");
        Click(wxID_OK);
        Open();
        EXPECT_EQ(Text(NAME1), "new.net");
    }
}

// A row's band takes a drop as far as its far corner, past the Convert
// button, wherever a resize has put it; the label above it does not. Only
// the first file counts.
TEST_F(MainDialog, ADropFillsTheRowItLandsOnWithTheFirstFile)
{
    Open().Show();
    auto& target = *static_cast<wxFileDropTarget*>(m_dialog->GetDropTarget());
    const wxString names[] = {"first.net", "second.net"};
    const wxArrayString files(2, names);
    m_dialog->SetSize(m_dialog->GetSize() + wxSize(300, 200));
    m_dialog->Layout();
    for (int id : {NAME1, NAME2})
    {
        const wxSizer* row = Get(id).GetContainingSizer();
        const wxPoint corner = row->GetPosition() + row->GetSize() - wxSize(1, 1);
        EXPECT_FALSE(target.OnDropFiles(corner.x, row->GetPosition().y - 1, files));
        EXPECT_FALSE(target.OnDropFiles(corner.x, corner.y, wxArrayString()));
        EXPECT_TRUE(target.OnDropFiles(corner.x, corner.y, files));
    }
    EXPECT_EQ(Names(), "first.net|first.net");
}

// Execute wants both names. A file gone by the time of Execute reads as
// empty. Convert's format is the chosen filter's, whatever the name; row 2
// reads PADS. Select changes its own row only.
TEST_F(MainDialog, ExecuteConvertAndSelect)
{
    Open();
    Set(REPORT, "earlier");
    Click(D::ID_EXECUTE);
    Set(NAME1, "one.net");
    Click(D::ID_EXECUTE);
    Click(D::ID_FILE2_CONVERT);
    EXPECT_EQ(Shown(), "Please select the file.|Please select the file.|Please select the file.|");
    EXPECT_EQ(Text(REPORT), "earlier");

    WriteBytes(m_dir.File("one.net"), WriteAs(0, WORKED_FILE1));
    WriteBytes(m_dir.File("two.asc"), WriteAs(1, WORKED_FILE2));
    Set(NAME1, m_dir.File("one.net"));
    Set(NAME2, m_dir.File("two.asc"));
    Choice(MODE2).SetSelection(1);
    Click(D::ID_EXECUTE);
    Click(D::ID_EXECUTE);
    EXPECT_EQ(Text(REPORT), WORKED_REPORT);

    Click(D::ID_FILE1_CONVERT);
    Click(D::ID_FILE2_CONVERT, m_dir.File("out.net"), 2);
    EXPECT_EQ(Shown(), "Transfer - file 1: convert|Convert - file 2: convert|");
    EXPECT_EQ(ReadBytes(m_dir.File("out.net")), WriteAs(2, WORKED_FILE2));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_dir.Path()), {}), 3);
    Click(D::ID_FILE1_SELECT, m_dir.File("out.net"));
    EXPECT_EQ(Shown(), "Select - file 1: " + m_dir.File("one.net") + NET_LIST + "|");
    EXPECT_EQ(Names(), m_dir.File("out.net") + "|" + m_dir.File("two.asc"));

    std::filesystem::remove(m_dir.File("out.net"));
    Click(D::ID_EXECUTE);
    EXPECT_EQ(Text(REPORT), "[[Same]]\n\n[[Like]]\n\n<<File 1 only>>\n\n<<File 2 only>>\n"
                            "[GND] <U1.7> <U2.7>\n[N2] <U1.1> <U2.3>\n[N7] <R5.2>\n"
                            "[VCC] <C1.1> <U1.14> <U2.14>\n");
}

// Every filter that stands for all files, and each format's filter, lists
// names without a dot too; the filters' names stay as written.
TEST_F(MainDialog, FileDialogsListEveryFileUnderTheirAllFilesFilters)
{
    Open();
    Set(NAME1, "a.net");
    Set(NAME2, "b.net");
    for (int id : {D::ID_FILE1_SELECT, D::ID_FILE2_SELECT, D::ID_FILE1_CONVERT,
                   D::ID_FILE2_CONVERT, D::ID_FILE_SAVE})
        Click(id);
    EXPECT_EQ(Shown(), "Select - file 1: nothing selected" + NET_LIST +
                           "|Select - file 2: nothing selected" + NET_LIST +
                           "|Transfer - file 1: convert|"
                       "Convert - file 2: convert|File save - difference: difference|");
    const std::string all = " netlist board.ecf report.txt",
                      select = "open; Net list (*.net *.lst *.txt *.ccf *.ecf): board.ecf "
                               "report.txt; All files (*.*):" + all + "\n",
                      convert = "save, asking first; BSch/Allegro:" + all + "; PADS:" + all +
                                "; ZukenECF:" + all + "\n";
    EXPECT_EQ(m_answers.offered, select + select + convert + convert +
                                     "save, asking first; Text file (*.txt): report.txt; "
                                     "All files (*.*):" + all + "\n");
}

// Each file dialog offers exactly the name it is given, no extension
// added, and accepting what it offers writes or opens that very file: a
// second File save offers the whole path the first one chose. File save
// writes the last report's own bytes, whatever the field shows of them
// (cp1251 and UTF-8 names, a Latin-1 node, a node with a NUL), and nothing
// before any Execute. A path that cannot be written (a folder, whoever
// runs the test) is still what OK stores.
TEST_F(MainDialog, FileDialogsOfferExactlyTheNameTheyAreGiven)
{
    const std::string report = m_dir.File("report"), folder = m_dir.File("folder");
    std::filesystem::create_directory(folder);
    WriteBytes(m_dir.File("1.net"), Bytes("$NETS\n\xCA\xCE\xCC;\tR\xE9.2 U1\0.3\n"
                                          "\xD0\x9A\xD0\x9E\xD0\x9C;\tC1.1\n$END\n"));
    WriteBytes(m_dir.File("2.net"), Bytes("$NETS\nN1;\tU1\0.3 R\xE9.2\nN2;\tC1.1 C2.2\n$END\n"));
    WriteBytes(m_dir.File("3.net"), Bytes("$NETS\n\xB5V;\tR\xE9.2\n$END\n"));
    Open();
    Click(D::ID_FILE_SAVE, report);
    EXPECT_EQ(ReadBytes(report), "");
    const std::string first = Compare("1.net", "2.net");
    Click(D::ID_FILE_SAVE, Answers::AS_OFFERED);
    EXPECT_EQ(m_answers.folder, m_dir.Path());
    EXPECT_EQ(ReadBytes(report), first);
    const std::string second = Compare("1.net", "3.net");
    Click(D::ID_FILE_SAVE, Answers::AS_OFFERED);
    EXPECT_EQ(ReadBytes(report), second);
    Click(D::ID_FILE_SAVE, folder);
    EXPECT_EQ(Shown(), "File save - difference: difference|File save - difference: report|"
                       "File save - difference: report|File save - difference: report|");
    EXPECT_FALSE(Exists(m_dir.File("report.txt")));

    WriteBytes(m_dir.File("noext"), "");
    Set(NAME2, m_dir.File("noext"));
    Click(D::ID_FILE2_SELECT, Answers::AS_OFFERED);
    EXPECT_EQ(Shown(), "Select - file 2: " + m_dir.File("noext") + ALL_FILES + "|");
    EXPECT_EQ(Names(), m_dir.File("1.net") + "|" + m_dir.File("noext"));
    Click(wxID_OK);
    m_dialog.reset();
    EXPECT_NE(ReadBytes(m_settings).find("\nOutFileName=" + folder + "\n"), std::string::npos);
}

// A save that fails at the open, at a write or at the close logs one
// error, and the dialog goes on, remembering the path. /dev/full takes a
// small report into the stream's buffer and refuses it when that is
// flushed at the close; a large one it refuses at the write.
TEST_F(MainDialog, AFailedSaveLogsOneErrorAndTheDialogGoesOn)
{
    const std::string full = "/dev/full", folder = m_dir.File("folder");
    std::filesystem::create_directory(folder);
    WriteBytes(m_dir.File("1.net"), WriteAs(0, WORKED_FILE1));
    WriteBytes(m_dir.File("2.net"), WriteAs(0, WORKED_FILE2));
    WriteBytes(m_dir.File("big.net"), BschText(400));
    Open();
    LoggedErrors errors;
    Compare("1.net", "2.net");
    Click(D::ID_FILE_SAVE, full);
    const std::string noSpace = "'" + full + "' (error 28: No space left on device)\n";
    EXPECT_EQ(errors.Take(), "can't close file " + noSpace);
    const std::string big = Compare("big.net", "big.net");
    ASSERT_GT(big.size(), 16384u) << "more than the stream's buffer holds";
    Click(D::ID_FILE_SAVE, full);
    EXPECT_EQ(errors.Take(), "Write error on file " + noSpace);
    Click(D::ID_FILE_SAVE, folder);
    EXPECT_EQ(errors.Take(), "can't open file '" + folder + "' (error 21: Is a directory)\n");

    const std::string small = Compare("1.net", "2.net");
    Click(D::ID_FILE_SAVE, m_dir.File("report"));
    Click(D::ID_FILE1_CONVERT, m_dir.File("converted"));
    EXPECT_EQ(errors.Take(), "");
    EXPECT_EQ(ReadBytes(m_dir.File("report")), small);
    EXPECT_EQ(ReadBytes(m_dir.File("converted")), WriteAs(0, WORKED_FILE1));
    EXPECT_EQ(Shown(), "File save - difference: difference|File save - difference: full|"
                       "File save - difference: full|File save - difference: folder|"
                       "Transfer - file 1: convert|");
}

// A name that is not UTF-8 comes back from Select as a dropped file's does:
// the field then names that very file, for Execute and for the next Select.
TEST_F(MainDialog, SelectKeepsANameThatIsNoUtf8)
{
    const std::string latin = m_dir.File("lat\xE9.net");
    WriteBytes(latin, WriteAs(0, WORKED_FILE1));
    WriteBytes(m_dir.File("two.asc"), WriteAs(1, WORKED_FILE2));
    Open();
    Set(NAME2, m_dir.File("two.asc"));
    Choice(MODE2).SetSelection(1);
    Click(D::ID_FILE1_SELECT, wxString(latin.c_str(), *wxConvFileName));
    EXPECT_EQ(std::string(Field(NAME1).GetValue().fn_str()), latin);
    Click(D::ID_FILE1_SELECT, Answers::AS_OFFERED);
    EXPECT_EQ(Shown(), "Select - file 1: nothing selected" + NET_LIST + "|Select - file 1: " +
                           latin + ALL_FILES + "|");
    EXPECT_EQ(std::string(Field(NAME1).GetValue().fn_str()), latin);
    Click(D::ID_EXECUTE);
    EXPECT_EQ(Text(REPORT), WORKED_REPORT);
}

// Files dropped anywhere on a row, its name field included, give the
// field the first file's full path as its whole text, even when the same
// files come as text too. A source that allows moving as well, as file
// managers do, is answered copy there and nothing elsewhere: it must never
// be told that its files were moved, since a source then deletes them.
// Text alone is the field's own to take, and typing and pasting still work.
TEST_F(RealInput, FilesDroppedOnARowFillItsNameField)
{
    Open().Move(0, 0);
    m_dialog->Show();
    Set(NAME1, "typed.net");
    Set(REPORT, "report");
    Choice(MODE2).SetSelection(1);
    for (wxWindow* outside : {&Labelled("File 1"), &Get(D::ID_EXECUTE), &Get(wxID_OK)})
    {
        const wxDragResult result = Drag(Files({"kept.net"}), *outside, wxDrag_AllowMove);
        EXPECT_TRUE(result != wxDragMove && result != wxDragCopy)
            << result << " on " << outside->GetLabel();
    }
    EXPECT_EQ(Names(), "typed.net|");
    Drag(Files({"first net.net", "second.net"}), NAME1);
    EXPECT_EQ(Names(), m_dir.File("first net.net") + "|");
    EXPECT_EQ(Drag(Files({"second.net", "first net.net"}, true), NAME2, wxDrag_AllowMove),
              wxDragCopy);
    EXPECT_EQ(Names(), m_dir.File("first net.net") + "|" + m_dir.File("second.net"));
    Drag(Files({"third.net"}), D::ID_FILE1_SELECT);
    EXPECT_EQ(Names(), m_dir.File("third.net") + "|" + m_dir.File("second.net"));

    Set(NAME2, "");
    Drag(new wxTextDataObject("dragged"), NAME2);
    EXPECT_EQ(Text(NAME2), "dragged");
    ASSERT_TRUE(wxTheClipboard->Open());
    wxTheClipboard->SetData(new wxTextDataObject("pasted"));
    wxTheClipboard->Close();
    Field(NAME2).SetFocus();
    Field(NAME2).SetInsertionPointEnd();
    Xdotool("search --name '^Wirelace$' windowfocus --sync key ctrl+v type --delay 20 .net");
    EXPECT_EQ(Text(NAME2), "draggedpasted.net");
    EXPECT_EQ(Choice(MODE2).GetStringSelection() + " " + Text(REPORT), "PADS report");
}
