// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/help.h"

#include "help/help_address.h"
#include "help/help_file_path.h"
#include "help/help_viewer.h"

#include <QApplication>
#include <QPointer>

namespace kvarzel {

namespace {

QString helpFilePath;
QPointer<HelpViewer> viewer;

// The viewer is a widget: without a widget application there is nothing to show it on.
HelpViewer* OpenViewer() {
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
        return nullptr;
    }
    if (viewer.isNull()) {
        viewer = new HelpViewer;
    }
    return viewer.data();
}

} // namespace

void InitHelp(const QString& executablePath) {
    helpFilePath = HelpFilePathFor(executablePath);
    if (QCoreApplication* application = QCoreApplication::instance()) {
        QObject::connect(application, &QCoreApplication::aboutToQuit, application, &DoneHelp);
    }
}

void DoneHelp() {
    delete viewer.data();
    helpFilePath.clear();
}

QString HelpFilePath() {
    return helpFilePath;
}

void ShowHelpContents() {
    if (HelpViewer* window = OpenViewer()) {
        window->ShowContents(helpFilePath);
    }
}

void ShowHelpTopic(int context) {
    const QString address = HelpTopicAddress(helpFilePath, context);
    if (address.isEmpty()) {
        ShowHelpContents();
        return;
    }
    if (HelpViewer* window = OpenViewer()) {
        window->ShowTopic(address);
    }
}

void ShowHelpPage(const QString& page) {
    if (HelpViewer* window = OpenViewer()) {
        window->ShowTopic(HelpPageAddress(helpFilePath, page));
    }
}

HelpViewer* HelpViewerWindow() {
    return viewer.data();
}

} // namespace kvarzel
