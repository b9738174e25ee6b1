// The dialog's commands, driven through its buttons with every file dialog
// and message box answered in-process: Select, Convert, Execute, File save.
#include "dialogutil.h"

#include "netlist/comparison.h"
#include "testutil.h"

#include <wx/dnd.h>
#include <wx/filedlg.h>
#include <wx/msgdlg.h>
#include <wx/sizer.h>
#include <wx/utils.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using namespace dialogtest;
using testutil::NetSpecs;

namespace
{
// What a file dialog was opened with.
struct FileDialogSeen
{
    std::string title;
    std::string file;
    std::string wildcard;
    long style = 0;
};

// Answers one file dialog: notes what it was opened with, then confirms it
// with a path and a filter, or cancels it.
class ExpectFileDialog : public wxExpectModalBase<wxFileDialog, ExpectFileDialog>
{
public:
    static ExpectFileDialog Confirm(const std::string& path, int filter = 0,
                                    FileDialogSeen* seen = nullptr)
    {
        return ExpectFileDialog(wxID_OK, path, filter, seen);
    }
    static ExpectFileDialog Cancel(FileDialogSeen* seen = nullptr)
    {
        return ExpectFileDialog(wxID_CANCEL, "", 0, seen);
    }

protected:
    int OnInvoked(wxFileDialog* dialog) const override
    {
        if (m_seen)
            *m_seen = {dialog->GetMessage().ToStdString(), dialog->GetFilename().ToStdString(),
                       dialog->GetWildcard().ToStdString(), dialog->GetWindowStyle()};
        if (m_result != wxID_OK)
            return m_result;
        dialog->SetFilterIndex(m_filter);
        dialog->SetPath(m_path);
        // The native dialog reports the new path only once it has loaded
        // the folder.
        for (int i = 0; i < 400 && dialog->GetPath() != m_path; ++i)
        {
            wxYield();
            wxMilliSleep(5);
        }
        EXPECT_EQ(dialog->GetPath(), m_path);
        EXPECT_EQ(dialog->GetFilterIndex(), m_filter);
        return wxID_OK;
    }

private:
    ExpectFileDialog(int result, const std::string& path, int filter, FileDialogSeen* seen)
        : m_result(result), m_path(path), m_filter(filter), m_seen(seen)
    {
    }

    int m_result;
    wxString m_path;
    int m_filter;
    FileDialogSeen* m_seen;
};

// Answers a message box with OK, noting its text, caption and style.
class ExpectMessage : public wxExpectModalBase<wxMessageDialog, ExpectMessage>
{
public:
    explicit ExpectMessage(wxMessageDialog** seen) : m_seen(seen) {}

protected:
    int OnInvoked(wxMessageDialog* dialog) const override
    {
        EXPECT_EQ(dialog->GetMessage(), "Please select the file.");
        EXPECT_EQ(dialog->GetCaption(), "Message");
        EXPECT_EQ(dialog->GetMessageDialogStyle() & (wxOK | wxCANCEL | wxYES_NO), wxOK);
        EXPECT_EQ(dialog->GetParent(), nullptr);
        *m_seen = dialog;
        return wxID_OK;
    }

private:
    wxMessageDialog** m_seen;
};

const std::string NET_LIST_WILDCARD =
    "Net list (*.net *.lst *.txt *.ccf *.ecf)|*.net;*.lst;*.txt;*.ccf;*.ecf|All files (*.*)|*.*";
const std::string FORMAT_WILDCARD = "BSch/Allegro|*.*|PADS|*.*|ZukenECF|*.*";
const long SAVE_STYLE = wxFD_SAVE | wxFD_OVERWRITE_PROMPT;

const NetSpecs& FILE1_NETS = testutil::WORKED_FILE1;
const NetSpecs& FILE2_NETS = testutil::WORKED_FILE2;
const std::string REPORT = testutil::WORKED_REPORT;
// The reports with one side read as empty.
const std::string FILE1_ONLY_REPORT = "[[Same]]\n\n[[Like]]\n\n<<File 1 only>>\n"
                                      "[GND] <U1.7> <U2.7>\n[N1] <U1.1> <U2.3>\n[N9] <R1.1>\n"
                                      "[VCC] <U1.14> <U2.14>\n\n<<File 2 only>>\n";
const std::string FILE2_ONLY_REPORT = "[[Same]]\n\n[[Like]]\n\n<<File 1 only>>\n\n"
                                      "<<File 2 only>>\n[GND] <U1.7> <U2.7>\n[N2] <U1.1> <U2.3>\n"
                                      "[N7] <R5.2>\n[VCC] <C1.1> <U1.14> <U2.14>\n";

enum Format
{
    BSCH = 0,
    PADS = 1,
    ECF = 2
};

class DialogCommands : public testing::Test
{
protected:
    void SetUp() override { RemoveSettings(); }
    void TearDown() override { RemoveSettings(); }

    wxTextCtrl& Name1() { return Field(m_dialog, WirelaceDlg::ID_FILE1_NAME); }
    wxTextCtrl& Name2() { return Field(m_dialog, WirelaceDlg::ID_FILE2_NAME); }
    wxTextCtrl& Report() { return Field(m_dialog, WirelaceDlg::ID_DIFFERENCE_TEXT); }
    std::string ReportText() { return Report().GetValue().ToStdString(); }

    // File 1 in BSch/Allegro, file 2 in PADS, both rows set up for them.
    void PrepareComparison()
    {
        testutil::WriteBytes(m_dir.File("one.net"), testutil::WriteAs(BSCH, FILE1_NETS));
        testutil::WriteBytes(m_dir.File("two.asc"), testutil::WriteAs(PADS, FILE2_NETS));
        Name1().SetValue(m_dir.File("one.net"));
        Name2().SetValue(m_dir.File("two.asc"));
        Choice(m_dialog, WirelaceDlg::ID_FILE2_MODE).SetSelection(PADS);
    }

    void Execute()
    {
        WithoutDialogs([&] { Click(m_dialog, WirelaceDlg::ID_EXECUTE); });
    }

    // Saves the report with the File save dialog; what the dialog was
    // opened with.
    FileDialogSeen SaveReportAs(const std::string& path)
    {
        FileDialogSeen seen;
        wxTEST_DIALOG(Click(m_dialog, WirelaceDlg::ID_FILE_SAVE),
                      ExpectFileDialog::Confirm(path, 0, &seen));
        return seen;
    }

    long FilesInFolder()
    {
        return std::distance(std::filesystem::directory_iterator(m_dir.Path()), {});
    }

    wxColour ColourAt(const std::string& text)
    {
        const size_t at = ReportText().find(text);
        wxTextAttr style;
        if (at == std::string::npos || !Report().GetStyle(static_cast<long>(at) + 1, style))
            return wxNullColour;
        return style.GetTextColour();
    }

    testutil::TempDir m_dir;
    WirelaceDlg m_dialog;
};
}

TEST_F(DialogCommands, ExecuteWithAMissingNameShowsTheMessageOnce)
{
    testutil::WriteBytes(m_dir.File("a.net"), testutil::WriteAs(BSCH, FILE1_NETS));
    const std::vector<std::pair<std::string, std::string>> names = {
        {"", m_dir.File("a.net")}, {m_dir.File("a.net"), ""}, {"", ""}};
    for (const auto& [name1, name2] : names)
    {
        Name1().SetValue(name1);
        Name2().SetValue(name2);
        Report().SetValue("earlier report");
        wxMessageDialog* shown = nullptr;
        wxTEST_DIALOG(Click(m_dialog, WirelaceDlg::ID_EXECUTE), ExpectMessage(&shown));
        EXPECT_NE(shown, nullptr);
        EXPECT_EQ(ReportText(), "earlier report");
    }
}

TEST_F(DialogCommands, ExecuteShowsTheColouredReport)
{
    PrepareComparison();
    Execute();
    EXPECT_EQ(ReportText(), REPORT);
    EXPECT_EQ(ColourAt("(U1.14) (U2.14) !="), *wxBLUE);
    EXPECT_EQ(ColourAt("<C1.1>"), *wxRED);
    EXPECT_EQ(ColourAt("<R5.2>"), *wxRED);
}

TEST_F(DialogCommands, ExecuteTwiceReplacesTheReport)
{
    PrepareComparison();
    Execute();
    Execute();
    EXPECT_EQ(ReportText(), REPORT);
}

TEST_F(DialogCommands, ExecuteReadsEachRowWithItsOwnFormat)
{
    PrepareComparison();
    // Read as BSch/Allegro, the PADS file holds no nets.
    Choice(m_dialog, WirelaceDlg::ID_FILE2_MODE).SetSelection(BSCH);
    Execute();
    EXPECT_EQ(ReportText(), FILE1_ONLY_REPORT);
}

// A name is not checked when it is chosen or typed: a file gone by the
// time of Execute reads as empty, reported only by the toolkit's error log.
TEST_F(DialogCommands, AFileThatVanishedBeforeExecuteReadsAsEmpty)
{
    PrepareComparison();
    std::filesystem::remove(m_dir.File("one.net"));
    Execute();
    EXPECT_EQ(ReportText(), FILE2_ONLY_REPORT);
}

TEST_F(DialogCommands, AFolderGivenAsAFileReadsAsEmpty)
{
    PrepareComparison();
    Name2().SetValue(m_dir.Path());
    Execute();
    EXPECT_EQ(ReportText(), FILE1_ONLY_REPORT);
}

TEST_F(DialogCommands, ABlankNameIsNotMissing)
{
    Name1().SetValue(" ");
    Name2().SetValue(" ");
    Execute();
    EXPECT_EQ(ReportText(), testutil::HEADINGS_ONLY);
}

TEST_F(DialogCommands, ConvertWithAnEmptyNameShowsTheMessage)
{
    for (int button : {WirelaceDlg::ID_FILE1_CONVERT, WirelaceDlg::ID_FILE2_CONVERT})
    {
        wxMessageDialog* shown = nullptr;
        wxTEST_DIALOG(Click(m_dialog, button), ExpectMessage(&shown));
        EXPECT_NE(shown, nullptr);
    }
}

TEST_F(DialogCommands, CancelledConvertWritesNothing)
{
    PrepareComparison();
    FileDialogSeen seen;
    wxTEST_DIALOG(Click(m_dialog, WirelaceDlg::ID_FILE1_CONVERT),
                  ExpectFileDialog::Cancel(&seen));
    EXPECT_EQ(seen.title, "Transfer - file 1");
    EXPECT_EQ(seen.file, "convert");
    EXPECT_EQ(seen.wildcard, FORMAT_WILDCARD);
    EXPECT_EQ(seen.style, SAVE_STYLE);
    EXPECT_EQ(FilesInFolder(), 2);
}

TEST_F(DialogCommands, ConvertWritesTheFormatOfTheChosenFilter)
{
    PrepareComparison();
    // A ".net" name chosen with the PADS filter gives PADS text.
    wxTEST_DIALOG(Click(m_dialog, WirelaceDlg::ID_FILE1_CONVERT),
                  ExpectFileDialog::Confirm(m_dir.File("out.net"), PADS));
    EXPECT_EQ(testutil::ReadBytes(m_dir.File("out.net")), testutil::WriteAs(PADS, FILE1_NETS));

    // Row 2 reads with its own format.
    FileDialogSeen seen;
    wxTEST_DIALOG(Click(m_dialog, WirelaceDlg::ID_FILE2_CONVERT),
                  ExpectFileDialog::Confirm(m_dir.File("convert"), ECF, &seen));
    EXPECT_EQ(seen.title, "Convert - file 2");
    EXPECT_EQ(testutil::ReadBytes(m_dir.File("convert")), testutil::WriteAs(ECF, FILE2_NETS));
    // The name is used as given, with no extension added.
    EXPECT_EQ(FilesInFolder(), 4);
}

TEST_F(DialogCommands, ConvertOntoTheSourcePath)
{
    PrepareComparison();
    wxTEST_DIALOG(Click(m_dialog, WirelaceDlg::ID_FILE1_CONVERT),
                  ExpectFileDialog::Confirm(m_dir.File("one.net"), ECF));
    EXPECT_EQ(testutil::ReadBytes(m_dir.File("one.net")), testutil::WriteAs(ECF, FILE1_NETS));
    EXPECT_EQ(Name1().GetValue(), m_dir.File("one.net"));
}

TEST_F(DialogCommands, SelectSuggestsTheRowsOwnNameAndFillsOnlyThatRow)
{
    testutil::WriteBytes(m_dir.File("picked.net"), "");
    Name1().SetValue("row one");
    Name2().SetValue("row two");
    Choice(m_dialog, WirelaceDlg::ID_FILE2_MODE).SetSelection(ECF);
    FileDialogSeen seen;
    wxTEST_DIALOG(Click(m_dialog, WirelaceDlg::ID_FILE2_SELECT),
                  ExpectFileDialog::Confirm(m_dir.File("picked.net"), 0, &seen));
    EXPECT_EQ(seen.title, "Select - file 2");
    EXPECT_EQ(seen.file, "row two");
    EXPECT_EQ(seen.wildcard, NET_LIST_WILDCARD);
    EXPECT_EQ(seen.style, wxFD_OPEN);
    EXPECT_EQ(Name2().GetValue(), m_dir.File("picked.net"));
    EXPECT_EQ(Name1().GetValue(), "row one");
    EXPECT_EQ(Choice(m_dialog, WirelaceDlg::ID_FILE2_MODE).GetSelection(), ECF);

    wxTEST_DIALOG(Click(m_dialog, WirelaceDlg::ID_FILE1_SELECT),
                  ExpectFileDialog::Cancel(&seen));
    EXPECT_EQ(seen.title, "Select - file 1");
    EXPECT_EQ(seen.file, "row one");
    EXPECT_EQ(Name1().GetValue(), "row one");
}

TEST_F(DialogCommands, FileSaveBeforeAnyExecuteWritesAnEmptyFile)
{
    const FileDialogSeen seen = SaveReportAs(m_dir.File("report.txt"));
    EXPECT_EQ(seen.title, "File save - difference");
    EXPECT_EQ(seen.file, "difference");
    EXPECT_EQ(seen.wildcard, "Text file (*.txt)|*.txt|All files (*.*)|*.*");
    EXPECT_EQ(seen.style, SAVE_STYLE);
    EXPECT_TRUE(testutil::Exists(m_dir.File("report.txt")));
    EXPECT_EQ(testutil::ReadBytes(m_dir.File("report.txt")), "");
}

TEST_F(DialogCommands, FileSaveSuggestsThePathLastChosen)
{
    SaveReportAs(m_dir.File("first.txt"));
    EXPECT_EQ(SaveReportAs(m_dir.File("second.txt")).file, m_dir.File("first.txt"));
    FileDialogSeen seen;
    wxTEST_DIALOG(Click(m_dialog, WirelaceDlg::ID_FILE_SAVE), ExpectFileDialog::Cancel(&seen));
    EXPECT_EQ(seen.file, m_dir.File("second.txt"));
}

TEST_F(DialogCommands, FileSaveWritesTheReportAsUtf8)
{
    Report().SetValue(wxString::FromUTF8("[N\xC3\xA9] (U1.1)\n"));
    SaveReportAs(m_dir.File("report.txt"));
    EXPECT_EQ(testutil::ReadBytes(m_dir.File("report.txt")), "[N\xC3\xA9] (U1.1)\n");
}

TEST(DialogFileSave, AnUnwritablePathIsStillStoredOnOk)
{
    RemoveSettings();
    testutil::TempDir dir;
    // A folder cannot be written as a file, whoever runs the test.
    const std::string folder = dir.File("folder");
    std::filesystem::create_directory(folder);
    {
        WirelaceDlg dialog;
        wxTEST_DIALOG(Click(dialog, WirelaceDlg::ID_FILE_SAVE), ExpectFileDialog::Confirm(folder));
        RunModal(dialog, [&] { Click(dialog, wxID_OK); });
    }
    EXPECT_NE(testutil::ReadBytes(SettingsPath()).find("\nOutFileName=" + folder + "\n"),
              std::string::npos);
    RemoveSettings();
}

TEST(DialogEndToEnd, DroppedFilesAreComparedAndTheReportSaved)
{
    RemoveSettings();
    testutil::TempDir dir;
    testutil::WriteBytes(dir.File("one.net"), testutil::WriteAs(BSCH, FILE1_NETS));
    testutil::WriteBytes(dir.File("two.net"), testutil::WriteAs(BSCH, FILE2_NETS));
    {
        WirelaceDlg dialog;
        dialog.Show();
        dialog.Layout();
        wxFileDropTarget& target = *static_cast<wxFileDropTarget*>(dialog.GetDropTarget());
        for (const auto& [id, file] : {std::pair(WirelaceDlg::ID_FILE1_NAME, "one.net"),
                                       std::pair(WirelaceDlg::ID_FILE2_NAME, "two.net")})
        {
            const wxSizer& row = *Field(dialog, id).GetContainingSizer();
            const wxPoint at = row.GetPosition() + wxPoint(1, 1);
            const wxString path = dir.File(file);
            EXPECT_TRUE(target.OnDropFiles(at.x, at.y, wxArrayString(1, &path)));
        }
        WithoutDialogs([&] { Click(dialog, WirelaceDlg::ID_EXECUTE); });
        wxTEST_DIALOG(Click(dialog, WirelaceDlg::ID_FILE_SAVE),
                      ExpectFileDialog::Confirm(dir.File("report.txt")));
        dialog.Hide();
    }
    EXPECT_EQ(testutil::ReadBytes(dir.File("report.txt")), REPORT);
}
