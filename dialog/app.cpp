// The program is the main dialog alone: it runs modally inside OnInit, and
// OnInit then returns false, so the toolkit's main loop never starts and
// every run ends with the toolkit's error exit code (status 255).
#include "dialog/maindlg.h"

#include <wx/app.h>

class WirelaceApp : public wxApp
{
public:
    bool OnInit() override;
};

wxIMPLEMENT_APP(WirelaceApp);

bool WirelaceApp::OnInit()
{
    // The settings are written as the dialog is destroyed, at the end of
    // this scope, when it was closed with OK.
    WirelaceDlg dialog;
    dialog.ShowModal();
    return false;
}
