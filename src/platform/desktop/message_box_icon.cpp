// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/desktop/message_box_icon.h"

#include <QLabel>
#include <QMessageBox>

namespace kvarzel {
namespace {

QString IconName(QMessageBox::Icon icon) {
    switch (icon) {
    case QMessageBox::Information:
        return QStringLiteral("Сведения");
    case QMessageBox::Warning:
        return QStringLiteral("Предупреждение");
    case QMessageBox::Critical:
        return QStringLiteral("Ошибка");
    case QMessageBox::Question:
        return QStringLiteral("Вопрос");
    case QMessageBox::NoIcon:
        break;
    }
    return {};
}

} // namespace

void NameMessageBoxIcon(QMessageBox& box) {
    // The box's own label of its icon, the only picture it holds.
    for (QLabel* label : box.findChildren<QLabel*>())
        if (!label->pixmap().isNull())
            label->setAccessibleName(IconName(box.icon()));
}

} // namespace kvarzel
