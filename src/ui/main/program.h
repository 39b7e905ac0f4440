#pragma once

namespace kvarzel {

class TAboutForm;
class TMainForm;
class TOptionsForm;
class ResultsPage;

// The program's windows, created in the order main window, About dialog,
// options dialog (which loads the settings) and destroyed in reverse, so the
// settings are saved before the main window goes.
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
};

} // namespace kvarzel
