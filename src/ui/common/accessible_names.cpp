// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/accessible_names.h"

#include <QAccessible>
#include <QLabel>
#include <QWidget>

namespace kvarzel {

QString WithoutMnemonic(const QString& caption) {
    QString result;
    result.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size()) {
            // "&&" is a literal ampersand; "&x" only marks x.
            ++i;
        }
        result += caption[i];
    }
    return result;
}

void NameAfterLabel(QWidget* control, QLabel* label, const QString& description) {
    label->setBuddy(control);
    NameControl(control, WithoutMnemonic(label->text()), description);
}

void NameControl(QWidget* control, const QString& name, const QString& description) {
    control->setAccessibleName(name);
    if (!description.isEmpty())
        control->setAccessibleDescription(description);
}

void AnnounceName(QWidget* control, const QString& name) {
    control->setAccessibleName(name);
    // Not every Qt tells of a new name by itself, and none of a name set again.
    QAccessibleEvent event(control, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

} // namespace kvarzel
