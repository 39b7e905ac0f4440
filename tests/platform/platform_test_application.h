// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>

namespace kvarzel::testing {

// The one application object of a platform test program, made on first use
// and never destroyed: tearing Qt down among the exit-time destructors of
// other statics crashes.
inline QApplication& TestApplication() {
    static int argc = 1;
    static char name[] = "platform_test";
    static char* argv[] = {name, nullptr};
    static auto* application = new QApplication(argc, argv);
    return *application;
}

} // namespace kvarzel::testing
