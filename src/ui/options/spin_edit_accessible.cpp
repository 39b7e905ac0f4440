// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/options/spin_edit_accessible.h"

#include "ui/options/spin_edit.h"

namespace kvarzel {
namespace {

QAccessibleInterface* SpinEditAccessibleFactory(const QString&, QObject* object) {
    if (auto* field = qobject_cast<SpinEdit*>(object))
        return new SpinEditAccessible(field);
    return nullptr;
}

} // namespace

SpinEditAccessible::SpinEditAccessible(SpinEdit* field)
    : LineEditAccessible(field, QAccessible::SpinBox) {}

void SpinEditAccessible::Install() {
    // Qt keeps a factory once, however often it is installed.
    QAccessible::installFactory(SpinEditAccessibleFactory);
}

SpinEdit* SpinEditAccessible::Spin() const {
    return static_cast<SpinEdit*>(Field());
}

void* SpinEditAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::ValueInterface)
        return static_cast<QAccessibleValueInterface*>(this);
    return LineEditAccessible::interface_cast(type);
}

QVariant SpinEditAccessible::currentValue() const {
    return Spin()->Value();
}

void SpinEditAccessible::setCurrentValue(const QVariant& value) {
    Spin()->SetValue(value.toInt());
}

QVariant SpinEditAccessible::maximumValue() const {
    return Spin()->MaxValue();
}

QVariant SpinEditAccessible::minimumValue() const {
    return Spin()->MinValue();
}

QVariant SpinEditAccessible::minimumStepSize() const {
    return 1;
}

} // namespace kvarzel
