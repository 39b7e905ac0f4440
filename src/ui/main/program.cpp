// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/program.h"

#include "platform/desktop/application.h"
#include "platform/desktop/termination_signals.h"
#include "platform/handover/hand_over_server.h"
#include "ui/about/about_form.h"
#include "ui/art/program_icon.h"
#include "ui/common/after_event.h"
#include "ui/main/main_form.h"
#include "ui/options/options_form.h"
#include "ui/window_manager/bring_to_front.h"
#include "ui/window_manager/modal_activation.h"

#include <QApplication>
#include <QMessageBox>
#include <QSessionManager>

#include <cstdio>

namespace kvarzel {
namespace {

// A line on standard error, for whoever started the program from a terminal or a script.
void PrintProgramMessage(const QString& text) {
    std::fprintf(stderr, "kvarzel: %s\n", qPrintable(text));
}

} // namespace

// The signals are watched first, so that one that comes while the windows
// are made waits for the event loop instead of cutting the program off.
ProgramWindows::ProgramWindows() : endRequests_(std::make_unique<TerminationSignals>()) {
    KeepActivationWithModalDialogs();
    MainForm = new TMainForm;
    MainForm->SetDialogsMaker([this] { CreateDialogs(); });
    RunAfterFirstPaint(*MainForm, [this] { FinishStart(); });
    WatchTheEndOfTheSession();
}

ProgramWindows::~ProgramWindows() {
    // The settings are saved by the options dialog, so a run that ended
    // before the dialogs were made still loads and saves them.
    CreateDialogs();
    delete OptionsForm;
    delete AboutForm;
    delete MainForm;
}

int ProgramWindows::Run() {
    MainForm->show();
    return QApplication::exec();
}

void ProgramWindows::AnswerLaterStarts(FirstCopy& copy) {
    QMetaObject::invokeMethod(
        MainForm,
        [this, &copy] {
            laterStarts_ = std::make_unique<HandOverServer>(copy);
            QObject::connect(
                laterStarts_.get(), &HandOverServer::Requested, MainForm,
                [this](const HandOverRequest& request) { BringToFront(*MainForm, request); });
        },
        Qt::QueuedConnection);
}

void ProgramWindows::CreateDialogs() {
    if (AboutForm)
        return;
    AboutForm = new TAboutForm(MainForm);
    OptionsForm = new TOptionsForm(MainForm);
    MainForm->SetDialogs(AboutForm, OptionsForm);
}

void ProgramWindows::WatchTheEndOfTheSession() {
    QObject::connect(endRequests_.get(), &TerminationSignals::Received, MainForm,
                     [this] { EndAsFromTheWindows(); });
    // The session manager asks for the data first and ends the program later,
    // by a message that quits it (or by SIGTERM); a session that dies
    // meanwhile must not take the settings with it.
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, MainForm,
                     [this](QSessionManager&) {
                         SetNoUserToAnswer();
                         SaveSettings();
                     });
}

// Every window is closed as its close box closes it, modal dialogs first: an
// open options dialog is cancelled, since only OK confirms its values. The
// event loops then end, and the program ends as after Alt+F4, saving the
// settings.
void ProgramWindows::EndAsFromTheWindows() {
    SetNoUserToAnswer();
    QApplication::closeAllWindows();
    QCoreApplication::exit(0);
}

void ProgramWindows::SaveSettings() {
    if (OptionsForm)
        OptionsForm->SaveSettings();
}

// The title bar and the task bar show the icon; the window's first paint does not need it.
void ProgramWindows::FinishStart() {
    CreateDialogs();
    QApplication::setWindowIcon(ProgramIcon());
}

void ProgramWindows::WarnOfUnguardedStart(const QString& problem) {
    PrintProgramMessage(problem);
    auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Кварзель"),
                                problem + QLatin1Char('.'), QMessageBox::Ok, MainForm);
    box->setAttribute(Qt::WA_DeleteOnClose);
    RunAfterFirstPaint(*MainForm, [box] { box->open(); });
}

int ReportRunningCopyNotAnswering() {
    const QString text = QStringLiteral("Кварзель уже запущен, но не отвечает");
    PrintProgramMessage(text);
    QMessageBox::warning(nullptr, QStringLiteral("Кварзель"), text);
    return 1;
}

} // namespace kvarzel
