// The program is the main dialog alone: it runs modally inside OnInit, and
// OnInit then returns false, so the toolkit's main loop never starts and
// every run ends with the toolkit's error exit code (status 255).
#include "dialog/maindlg.h"

#include <wx/app.h>

#include <csignal>

class WirelaceApp : public wxApp
{
public:
    bool OnInit() override;
};

wxIMPLEMENT_APP(WirelaceApp);

bool WirelaceApp::OnInit()
{
    // A write past the file-size limit then fails like any other, with a
    // message, instead of ending the program with the dialog open.
    std::signal(SIGXFSZ, SIG_IGN);
    // The settings are written as the dialog is destroyed, at the end of
    // this scope, when it was closed with OK.
    WirelaceDlg dialog;
    dialog.ShowModal();
    return false;
}
