// SPDX-License-Identifier: GPL-3.0-or-later
// Kvarzel, a trainer of intuition: start and end of the program.
#include "core/settings_store.h"
#include "help/help.h"
#include "platform/desktop/application.h"
#include "platform/desktop/command_line.h"
#include "platform/desktop/display_check.h"
#include "platform/desktop/program_application.h"
#include "platform/desktop/startup_notification.h"
#include "platform/handover/running_copy.h"
#include "platform/settings/user_settings_store.h"
#include "ui/about/version_answer.h"
#include "ui/main/program.h"

#include <QApplication>

#include <iostream>

int main(int argc, char** argv) {
    // Answered before Qt starts, so that they need no display.
    if (const kvarzel::CommandLine line = kvarzel::ReadCommandLine(argc, argv);
        line.Request != kvarzel::CommandLineRequest::RunProgram)
        return kvarzel::AnswerCommandLine(line, kvarzel::VersionAnswer(), std::cout, std::cerr,
                                          kvarzel::RussianMessages());
    // Qt would end the process with a core dump where it finds no display.
    if (!kvarzel::CheckDisplay(std::cerr))
        return 1;
    // One copy per settings file: a start that finds one running hands over to
    // it, before the settings or the history are touched. The launch it was
    // shows no window of its own, so it ends the launcher's busy cursor itself.
    const kvarzel::HandOverRequest request = kvarzel::HandOverRequestFromEnvironment();
    const kvarzel::CopyClaim copy = kvarzel::ClaimSettingsFile(kvarzel::UserSettingsPath(), request);
    if (copy.Result == kvarzel::CopyClaim::Outcome::HandedOver) {
        kvarzel::EndStartupNotification(request.StartupId);
        return 0;
    }
    const kvarzel::ProgramApplication application(argc, argv);
    if (copy.Result == kvarzel::CopyClaim::Outcome::NotAnswering) {
        const int status = kvarzel::ReportRunningCopyNotAnswering();
        kvarzel::EndStartupNotification(request.StartupId);
        return status;
    }
    // Wayland compositors find the program's desktop entry, and so its name
    // and icon, by this id.
    QGuiApplication::setDesktopFileName(QStringLiteral("com.tellumor.Kvarzel"));
    kvarzel::InitHelp(QCoreApplication::applicationFilePath());
    kvarzel::SetApplicationTitle("Кварзель");
    // Without a home nothing is written anywhere, never into the current folder.
    if (kvarzel::UserSettingsPath().empty())
        kvarzel::ShowApplicationError(
            "Не найдена домашняя папка: переменная HOME не задана, а в списке пользователей её "
            "нет. Программа будет работать, но не сохранит ни настроек, ни истории тренировок");
    const auto store = kvarzel::UserSettingsStore();
    kvarzel::SetSettingsStore(store.get());
    int result = 0;
    {
        kvarzel::ProgramWindows windows;
        if (copy.First)
            windows.AnswerLaterStarts(*copy.First);
        else if (copy.Problem.What != kvarzel::GuardProblem::Kind::None)
            windows.WarnOfUnguardedStart(
                QString::fromStdString(kvarzel::GuardProblemText(copy.Problem)));
        result = windows.Run();
    }
    kvarzel::SetSettingsStore(nullptr);
    return result;
}
