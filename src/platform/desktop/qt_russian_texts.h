// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QApplication;

namespace kvarzel {

// Makes Qt's own texts (standard buttons, the file chooser) Russian, from
// the system's Qt translations, whatever the user's locale.
void InstallRussianQtTexts(QApplication& app);

} // namespace kvarzel
