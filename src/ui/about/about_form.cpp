#include "ui/about/about_form.h"

#include "ui/main/bucket_picture.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kvarzel {

TAboutForm::TAboutForm(QWidget* parent) : HelpDialog(parent, 5) {
    setObjectName("AboutForm");
    setWindowTitle("О программе");

    auto* icon = new QLabel(this);
    icon->setPixmap(ProgramIcon().pixmap(48, 48));
    auto* title = new QLabel("<b>Кварзель</b><br>Тренажёр интуиции", this);

    OKButton = new QPushButton("ОК", this);
    OKButton->setObjectName("OKButton");
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* header = new QHBoxLayout;
    header->addWidget(icon);
    header->addWidget(title, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(header);
    layout->addWidget(OKButton, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace kvarzel
