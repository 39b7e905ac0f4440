// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

class QString;

namespace kvarzel {

class FirstCopy;
class HandOverServer;
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

    // A later start of the program on the same settings file brings the
    // windows to the front through the copy's socket, which must outlive them.
    // The socket opens once the event loop runs: a later start that reaches it
    // is answered at once, and waits for it while this copy is starting.
    void AnswerLaterStarts(FirstCopy& copy);

    // This copy could not make sure it is the only one on its settings file:
    // it says why on standard error now, and in a box over the main window
    // once that shows, and runs all the same.
    void WarnOfUnguardedStart(const QString& problem);

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
    std::unique_ptr<HandOverServer> laterStarts_;
};

// Tells the user that a copy of the program runs on the settings file but
// does not answer, on standard error and in a box, and gives the status this
// start ends with.
int ReportRunningCopyNotAnswering();

} // namespace kvarzel
