// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QApplication;

namespace kvarzel::testing {

// One widget application for the whole test program, made on first use.
QApplication& TestApplication();

// The help file compiled by the build.
inline QString BuiltHelpFile() {
    return QStringLiteral(KVARZEL_HELP_FILE);
}

} // namespace kvarzel::testing
