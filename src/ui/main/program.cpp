#include "ui/main/program.h"

#include "ui/about/about_form.h"
#include "ui/main/main_form.h"
#include "ui/options/options_form.h"

#include <QApplication>

namespace kvarzel {

ProgramWindows::ProgramWindows() {
    MainForm = new TMainForm;
    AboutForm = new TAboutForm(MainForm);
    OptionsForm = new TOptionsForm(MainForm);
    MainForm->SetDialogs(AboutForm, OptionsForm);
}

ProgramWindows::~ProgramWindows() {
    delete OptionsForm;
    delete AboutForm;
    delete MainForm;
}

int ProgramWindows::Run() {
    MainForm->show();
    return QApplication::exec();
}

} // namespace kvarzel
