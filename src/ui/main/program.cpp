#include "ui/main/program.h"

#include "ui/about/about_form.h"
#include "ui/common/after_event.h"
#include "ui/common/modal_activation.h"
#include "ui/main/bucket_picture.h"
#include "ui/main/main_form.h"
#include "ui/options/options_form.h"

#include <QApplication>

namespace kvarzel {

ProgramWindows::ProgramWindows() {
    KeepActivationWithModalDialogs();
    MainForm = new TMainForm;
    MainForm->SetDialogsMaker([this] { CreateDialogs(); });
    RunAfterFirstPaint(*MainForm, [this] { FinishStart(); });
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

void ProgramWindows::CreateDialogs() {
    if (AboutForm)
        return;
    AboutForm = new TAboutForm(MainForm);
    OptionsForm = new TOptionsForm(MainForm);
    MainForm->SetDialogs(AboutForm, OptionsForm);
}

// The title bar and the task bar show the icon; the window's first paint does not need it.
void ProgramWindows::FinishStart() {
    CreateDialogs();
    QApplication::setWindowIcon(ProgramIcon());
}

} // namespace kvarzel
