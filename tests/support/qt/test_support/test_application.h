// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QApplication;

namespace kvarzel::testing {

// The one application object of a test program, made on first use and named
// after the program, with "Arial" drawn by Liberation Sans as on the
// program's machines. Never destroyed: tearing Qt down among the exit-time
// destructors of other statics crashes.
QApplication& TestApplication();

// The same object, prepared once as the program prepares its own before its
// first window: its fonts, Qt's texts in Russian and its title.
QApplication& ProgramTestApplication();

// A base for fixtures with widget members: the application exists before they are made.
struct WithApplication {
    WithApplication() { TestApplication(); }
};

} // namespace kvarzel::testing
