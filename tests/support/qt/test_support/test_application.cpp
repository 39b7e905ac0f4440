// SPDX-License-Identifier: GPL-3.0-or-later
#include "test_support/test_application.h"

#include "platform/desktop/application.h"

#include <QApplication>
#include <QFont>

#include <cerrno>
#include <string>

namespace kvarzel::testing {

QApplication& TestApplication() {
    static std::string name = program_invocation_short_name;
    static int argc = 1;
    static char* argv[] = {name.data(), nullptr};
    static auto* application = [] {
        auto* made = new QApplication(argc, argv);
        QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
        return made;
    }();
    return *application;
}

QApplication& ProgramTestApplication() {
    static QApplication& application = []() -> QApplication& {
        QApplication& made = TestApplication();
        InitApplication(made);
        SetApplicationTitle("Кварзель");
        return made;
    }();
    return application;
}

} // namespace kvarzel::testing
