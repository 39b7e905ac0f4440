// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QString>

class QApplication;

namespace kvarzel {

// Prepares the application object before any window exists: font
// substitutes, the default font, Qt's own texts in Russian and the hint
// tracking.
void InitApplication(QApplication& app);

// The application's title, used as the caption of its error messages.
void SetApplicationTitle(const QString& title);
QString ApplicationTitle();

// "MS Sans Serif" at 11 pixels (8 points): Liberation Sans.
QFont MsSansSerifFont(bool bold = false);

// "Arial" (Liberation Sans) at the pixel height the point size has on a
// 96 dpi screen, so that layouts measured in pixels hold on every screen.
QFont ArialFont(int pointSize = 8, bool bold = false);

// The application's error display: a message box with the text and a full
// stop, captioned with the application title, a stop icon and one OK
// button. Returns when it is dismissed. Once nobody is left to answer (see
// below), the text goes to standard error instead and nothing waits.
void ShowApplicationError(const QString& text);
// The same text on standard error, after the application title, for when
// nobody is there to answer a box.
void PrintApplicationError(const QString& text);

// A close that comes from a signal or from the end of the session: from now
// on no message may wait for a user who is gone.
void SetNoUserToAnswer();
bool NoUserToAnswer();

// Full path of the running executable.
QString ExecutablePath();

} // namespace kvarzel
