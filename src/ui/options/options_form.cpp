#include "ui/options/options_form.h"

#include "core/options.h"
#include "core/settings_store.h"
#include "platform/application.h"

#include <QPushButton>
#include <QTabWidget>

namespace kvarzel {

TOptionsForm::TOptionsForm(QWidget* parent) : HelpDialog(parent, 4) {
    setObjectName("OptionsForm");
    setWindowTitle("Параметры тренировок");
    setFixedSize(266, 240);

    PageControl = new QTabWidget(this);
    PageControl->setObjectName("PageControl");
    PageControl->setGeometry(0, 0, 266, 199);

    OKButton = new QPushButton("О&К", this);
    OKButton->setObjectName("OKButton");
    OKButton->setGeometry(102, 207, 75, 27);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    CancelButton = new QPushButton("&Отмена", this);
    CancelButton->setObjectName("CancelButton");
    CancelButton->setGeometry(185, 207, 75, 27);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);

    FormCreate();
}

TOptionsForm::~TOptionsForm() {
    FormDestroy();
}

void TOptionsForm::FormCreate() {
    Options = new TOptions;
    Options->Load();
}

void TOptionsForm::FormDestroy() {
    try {
        Options->Save();
    } catch (const SettingsWriteError& error) {
        ShowApplicationError(QString::fromStdString(error.what()));
    }
    delete Options;
    Options = nullptr;
}

} // namespace kvarzel
