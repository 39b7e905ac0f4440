// SPDX-License-Identifier: GPL-3.0-or-later
// Renders every registered window offscreen into PNG files, for a look at
// what the user sees without a display.
#include "platform/desktop/application.h"
#include "screenshot_registry.h"
#include "test_support/test_application.h"

#include <QDir>
#include <QString>

#include <cstdio>

int main(int argc, char** argv) {
    kvarzel::testing::ProgramTestApplication();
    const QString folder =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots");
    QDir().mkpath(folder);
    int failures = 0;
    for (const auto& shot : kvarzel::screenshots::Registry()) {
        const bool saved = shot.render(folder);
        std::printf("%s %s/%s.png\n", saved ? "wrote" : "FAILED", qPrintable(folder),
                    qPrintable(shot.name));
        failures += saved ? 0 : 1;
    }
    return failures == 0 ? 0 : 1;
}
