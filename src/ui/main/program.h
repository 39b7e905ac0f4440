// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

namespace kvarzel {

class TerminationSignals;
class TAboutForm;
class TMainForm;
class TOptionsForm;
class ResultsPage;

// The program's windows, created in the order main window, About dialog,
// options dialog (which loads the settings) and destroyed in reverse, so the
// settings are saved before the main window goes.
//
// Only the main window is made at once. The dialogs and the program icon
// follow as soon as the main window has first been painted, still before the
// user can reach them; a menu choice or a training that needs them earlier
// makes them then.
//
// Ended from outside, by a termination signal, the program ends as when the
// user closes its windows; when the desktop session asks programs to keep
// their data before it ends, the settings are saved.
class ProgramWindows {
public:
    ProgramWindows();
    ~ProgramWindows();
    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;

    // Shows the main window and runs the event loop until it closes.
    int Run();

    TMainForm* MainForm = nullptr;
    TAboutForm* AboutForm = nullptr;
    TOptionsForm* OptionsForm = nullptr;

private:
    void CreateDialogs();
    void FinishStart();
    void WatchTheEndOfTheSession();
    void EndAsFromTheWindows();
    void SaveSettings();

    std::unique_ptr<TerminationSignals> endRequests_;
};

} // namespace kvarzel
