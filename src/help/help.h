// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace kvarzel {

class HelpViewer;

// Start-up step of the help unit, after the application object exists and
// before any window: remembers the help file that belongs to the executable
// (QCoreApplication::applicationFilePath()). The help viewer is closed and the
// path cleared when the application quits.
void InitHelp(const QString& executablePath);
// Shut-down step; also run by the application's aboutToQuit.
void DoneHelp();

QString HelpFilePath();

// Open the help viewer at the table of contents, or at the topic of a help
// context (0..5; any other context opens the contents). Neither waits for the
// viewer; a missing file or page is shown in the viewer itself.
void ShowHelpContents();
void ShowHelpTopic(int context);
// Open the viewer at a page of the help file that has no context number.
void ShowHelpPage(const QString& page);

// The viewer once it has been opened, else nullptr.
HelpViewer* HelpViewerWindow();

} // namespace kvarzel
