// SPDX-License-Identifier: GPL-3.0-or-later
#include "application_fixture.h"

#include <QApplication>

namespace kvarzel::testing {

QApplication& TestApplication() {
    static int argc = 1;
    static char name[] = "help_tests";
    static char* argv[] = {name, nullptr};
    // Never destroyed: widgets left by a failed test must not outlive it.
    static auto* application = new QApplication(argc, argv);
    return *application;
}

} // namespace kvarzel::testing
