// SPDX-License-Identifier: GPL-3.0-or-later
// The help viewer at the training topic, read from the help file built beside
// the executables.
#include "help/help.h"
#include "help/help_viewer.h"
#include "screenshot_registry.h"

#include <QCoreApplication>

namespace {

bool RenderHelpViewer(const QString& folder) {
    kvarzel::InitHelp(QCoreApplication::applicationDirPath() + QStringLiteral("/kvarzel"));
    kvarzel::ShowHelpTopic(2);
    kvarzel::HelpViewer* viewer = kvarzel::HelpViewerWindow();
    if (viewer == nullptr) {
        return false;
    }
    viewer->resize(800, 560);
    const bool saved =
        kvarzel::screenshots::SaveWidget(*viewer, folder, QStringLiteral("help_training"));
    kvarzel::DoneHelp();
    return saved;
}

const kvarzel::screenshots::Register reg{QStringLiteral("help_training"), RenderHelpViewer};

} // namespace
