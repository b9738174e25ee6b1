// Runs the tests that need a display inside a real toolkit application,
// with HOME pointed at a fresh folder so no real settings file is touched.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/debug.h>
#include <wx/init.h>
#include <wx/log.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace
{
class TestApp : public wxApp
{
public:
    bool OnInit() override { return true; }
};

// A failed toolkit assertion fails the running test. The toolkit's own
// handler would open a dialog that nobody closes, and the run would hang.
void FailTheTest(const wxString& file, int line, const wxString& function,
                 const wxString& condition, const wxString& message)
{
    ADD_FAILURE_AT(file.utf8_str().data(), line)
        << "toolkit assertion \"" << condition << "\" failed in " << function << "(): " << message;
}

int Refused(const std::string& why)
{
    std::fprintf(stderr, "gui tests: %s\n", why.c_str());
    return 1;
}

std::string MakeFreshHome()
{
    std::string pattern =
        (std::filesystem::temp_directory_path() / "wirelace-home-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        return std::string();
    setenv("HOME", pattern.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (pattern + "/.config").c_str(), 1);
    return pattern;
}
}

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    // The build lists the tests, where there may be no display to start on.
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS();
    const std::string home = MakeFreshHome();
    if (home.empty())
        return Refused("cannot make a fresh HOME");
    wxSetAssertHandler(FailTheTest);
    wxApp::SetInstance(new TestApp);
    // The toolkit keeps what it logs here until an application runs, and
    // that never happens when it cannot start: the reason is said here.
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit())
        return Refused("the toolkit cannot start on DISPLAY=" +
                       std::string(std::getenv("DISPLAY") ? std::getenv("DISPLAY") : ""));
    // Errors the toolkit logs (a file that cannot be opened) go to the test
    // output, not into a message box that waits for a user.
    delete wxLog::SetActiveTarget(new wxLogStderr);
    const int result = RUN_ALL_TESTS();
    wxTheApp->OnExit();
    wxEntryCleanup();
    std::filesystem::remove_all(home);
    return result;
}
