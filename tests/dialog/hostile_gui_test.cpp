// The main dialog against settings files it did not write: stray bytes,
// repeated keys, window values no screen can show, a settings path that
// cannot be written, and file names that look like the store's own syntax.
#include "dialogutil.h"

#include "netlist/comparison.h"
#include "testutil.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

using namespace dialogtest;

namespace
{
class HostileSettings : public testing::Test
{
protected:
    void SetUp() override
    {
        RemoveSettings();
        WirelaceDlg dialog;
        m_fitted = dialog.GetRect();
    }
    void TearDown() override { std::filesystem::remove_all(SettingsPath()); }

    // Compares two files in `dialog`, as a user would, and keeps their
    // names in the rows.
    std::string Compare(WirelaceDlg& dialog)
    {
        testutil::WriteBytes(m_dir.File("one.net"), testutil::WriteAs(0, testutil::WORKED_FILE1));
        testutil::WriteBytes(m_dir.File("two.net"), testutil::WriteAs(0, testutil::WORKED_FILE2));
        Field(dialog, WirelaceDlg::ID_FILE1_NAME).SetValue(m_dir.File("one.net"));
        Field(dialog, WirelaceDlg::ID_FILE2_NAME).SetValue(m_dir.File("two.net"));
        WithoutDialogs([&] { Click(dialog, WirelaceDlg::ID_EXECUTE); });
        return Field(dialog, WirelaceDlg::ID_DIFFERENCE_TEXT).GetValue().ToStdString();
    }

    // Compares in a dialog opened over the current settings, leaves it
    // with OK, and checks that the next dialog shows what OK stored.
    void CompareAndAccept()
    {
        wxRect atOk;
        RunAndAccept([&](WirelaceDlg& dialog) {
            EXPECT_EQ(Compare(dialog), testutil::WORKED_REPORT);
            atOk = dialog.GetRect();
        });
        WirelaceDlg next;
        EXPECT_EQ(next.GetRect(), atOk);
        EXPECT_EQ(Field(next, WirelaceDlg::ID_FILE1_NAME).GetValue(), m_dir.File("one.net"));
        EXPECT_EQ(Field(next, WirelaceDlg::ID_FILE2_NAME).GetValue(), m_dir.File("two.net"));
    }

    void ExpectFirstRun(WirelaceDlg& dialog)
    {
        EXPECT_EQ(dialog.GetRect(), m_fitted);
        EXPECT_EQ(Field(dialog, WirelaceDlg::ID_FILE1_NAME).GetValue(), "");
        EXPECT_EQ(Field(dialog, WirelaceDlg::ID_FILE2_NAME).GetValue(), "");
        EXPECT_EQ(Choice(dialog, WirelaceDlg::ID_FILE1_MODE).GetSelection(), 0);
        EXPECT_EQ(Choice(dialog, WirelaceDlg::ID_FILE2_MODE).GetSelection(), 0);
    }

    void ExpectFittedWith(const std::string& settings)
    {
        testutil::WriteBytes(SettingsPath(), settings);
        WirelaceDlg dialog;
        EXPECT_EQ(dialog.GetRect(), m_fitted) << settings;
    }

    wxRect m_fitted;
    testutil::TempDir m_dir;
};
}

// The store reads its file as UTF-8; a file that is not is read as empty.
TEST_F(HostileSettings, AFileThatIsNoUtf8CountsAsEmpty)
{
    testutil::WriteBytes(SettingsPath(),
                         std::string("WindowX=7\nFile1Name=\xFF\xFE\x80\0zz\nFile2Mode=PADS", 36));
    {
        WirelaceDlg dialog;
        ExpectFirstRun(dialog);
    }
    CompareAndAccept();
}

TEST_F(HostileSettings, StrayBytesAndRepeatedKeysLeaveTheRestReadable)
{
    // The last of repeated keys holds; a NUL ends its value; the last line
    // has no line end.
    testutil::WriteBytes(SettingsPath(), std::string("WindowX=10\nWindowX=20\n\x01\x02=\x03\n"
                                                     "File1Name=a\0b\njunk line\n",
                                                     51) +
                                             "File2Name=\xC3\xA9\x7F\nFile1Mode=PADS\n"
                                             "File1Mode=Zuken\nWindowY=-40\nWindowWidth=-50");
    {
        WirelaceDlg dialog;
        EXPECT_EQ(dialog.GetRect(), wxRect(20, -40, m_fitted.width, m_fitted.height));
        EXPECT_EQ(Field(dialog, WirelaceDlg::ID_FILE1_NAME).GetValue(), "a");
        EXPECT_EQ(Field(dialog, WirelaceDlg::ID_FILE2_NAME).GetValue(),
                  wxString::FromUTF8("\xC3\xA9\x7F"));
        EXPECT_EQ(Choice(dialog, WirelaceDlg::ID_FILE1_MODE).GetSelection(), 0);
    }
    CompareAndAccept();
}

// The toolkit keeps a window at least at its minimum size; a position is
// applied as read, even far off the screen.
TEST_F(HostileSettings, SizesBelowTheMinimumAreRaisedToIt)
{
    for (const std::string size : {"0", "1", "-50"})
    {
        testutil::WriteBytes(SettingsPath(), "WindowX=-5000\nWindowY=3000\nWindowWidth=" + size +
                                                 "\nWindowHeight=" + size + "\n");
        WirelaceDlg dialog;
        EXPECT_EQ(dialog.GetRect(), wxRect(wxPoint(-5000, 3000), m_fitted.GetSize())) << size;
        EXPECT_EQ(dialog.GetSize(), dialog.GetMinSize());
    }
}

// A native window's coordinates and size have 16 bits; beyond that the
// window would land elsewhere or break, so such values count as missing.
TEST_F(HostileSettings, ValuesNoNativeWindowTakesCountAsMissing)
{
    for (const std::string value : {"32768", "-32768", "1000000000", "-1000000000"})
        for (const std::string key : {"WindowX", "WindowY", "WindowWidth", "WindowHeight"})
            ExpectFittedWith(key + "=" + value + "\n");

    testutil::WriteBytes(SettingsPath(),
                         "WindowX=-32767\nWindowY=32767\nWindowWidth=32767\nWindowHeight=600\n");
    WirelaceDlg dialog;
    EXPECT_EQ(dialog.GetRect(), wxRect(-32767, 32767, 32767, 600));
}

// A folder where the settings file belongs cannot be replaced by a file,
// whoever runs the test. The store reports that itself; the dialog goes on.
TEST_F(HostileSettings, ASettingsPathThatCannotBeWrittenIsLeftAlone)
{
    std::filesystem::create_directory(SettingsPath());
    RunAndAccept([&](WirelaceDlg& dialog) { EXPECT_EQ(Compare(dialog), testutil::WORKED_REPORT); });
    EXPECT_TRUE(std::filesystem::is_directory(SettingsPath()));
    WirelaceDlg next;
    ExpectFirstRun(next);
}

// Names are kept as typed: nothing in them is taken for an environment
// variable, an escape, a comment or a quote.
TEST_F(HostileSettings, FileNamesComeBackExactly)
{
    const std::vector<std::pair<std::string, std::string>> names = {
        {"/x/$HOME/y.net", "/data/N$1.net"},
        {"${HOME}.net", "%HOME%\\$(HOME).net"},
        {"/tmp/\xC3\xA9t\xC3\xA9/\xE6\x97\xA5\xE6\x9C\xAC.net", "\xC3\xBF\xC2\x80.net"},
        {"  spaced  ", "\"quoted\" a;b#c=d.net"},
    };
    for (const auto& [name1, name2] : names)
    {
        RunAndAccept([&](WirelaceDlg& dialog) {
            Field(dialog, WirelaceDlg::ID_FILE1_NAME).SetValue(wxString::FromUTF8(name1));
            Field(dialog, WirelaceDlg::ID_FILE2_NAME).SetValue(wxString::FromUTF8(name2));
        });
        WirelaceDlg next;
        EXPECT_EQ(Field(next, WirelaceDlg::ID_FILE1_NAME).GetValue().utf8_string(), name1);
        EXPECT_EQ(Field(next, WirelaceDlg::ID_FILE2_NAME).GetValue().utf8_string(), name2);
    }
}
