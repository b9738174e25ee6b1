// Helpers for the main dialog's tests: its settings file, its controls by
// id, button clicks, and running it modally until an action closes it.
#ifndef WIRELACE_TESTS_DIALOG_DIALOGUTIL_H
#define WIRELACE_TESTS_DIALOG_DIALOGUTIL_H

#include "dialog/maindlg.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/fileconf.h>
#include <wx/textctrl.h>

// A dialog that no expectation answers fails the test and is cancelled,
// rather than shown for real and waited on forever.
#define wxTEST_DIALOG_HOOK_CLASS dialogtest::FailingModalHook
#include <wx/testing.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

namespace dialogtest
{
class FailingModalHook : public wxTestingModalHook
{
public:
    using wxTestingModalHook::wxTestingModalHook;

protected:
    int Enter(wxDialog* dialog) override
    {
        const int result = wxTestingModalHook::Enter(dialog);
        return result == wxID_NONE ? wxID_CANCEL : result;
    }
};

// Runs `action`, failing the test if it opens any modal dialog.
inline void WithoutDialogs(const std::function<void()>& action)
{
    FailingModalHook hook(__FILE__, __LINE__, "WithoutDialogs");
    action();
}

// The per-user settings file, inside the fresh HOME of the test run.
inline std::string SettingsPath()
{
    return wxFileConfig::GetLocalFileName("Wirelace").ToStdString();
}

inline void RemoveSettings()
{
    std::remove(SettingsPath().c_str());
}

template <class T> T& Control(wxWindow& dialog, int id)
{
    T* control = dynamic_cast<T*>(dialog.FindWindow(id));
    if (!control)
        ADD_FAILURE() << "no control with id " << id;
    return *control;
}

inline wxTextCtrl& Field(wxWindow& dialog, int id)
{
    return Control<wxTextCtrl>(dialog, id);
}

inline wxChoice& Choice(wxWindow& dialog, int id)
{
    return Control<wxChoice>(dialog, id);
}

// A click on the button, as the toolkit reports it: the event starts at the
// button and travels up to the dialog.
inline void Click(wxWindow& dialog, int id)
{
    wxButton& button = Control<wxButton>(dialog, id);
    wxCommandEvent event(wxEVT_BUTTON, id);
    event.SetEventObject(&button);
    button.HandleWindowEvent(event);
}

// Shows the dialog modally, runs `action` inside its loop, and returns the
// code that ended it. The action must end the dialog.
inline int RunModal(WirelaceDlg& dialog, std::function<void()> action)
{
    dialog.CallAfter(action);
    return dialog.ShowModal();
}

// Runs one dialog from construction to destruction, ending it with OK after
// `prepare`; the settings file is written as it is destroyed.
inline void RunAndAccept(std::function<void(WirelaceDlg&)> prepare)
{
    WirelaceDlg dialog;
    RunModal(dialog, [&] {
        prepare(dialog);
        Click(dialog, wxID_OK);
    });
}
}

#endif
