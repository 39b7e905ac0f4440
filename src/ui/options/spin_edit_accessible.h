// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/common/line_edit_accessible.h"

namespace kvarzel {

class SpinEdit;

// A number field as accessibility tools see it: a spin button whose value and
// range they read, with the text of any one-line field. (To Qt the field is a
// line edit, whose text has no value or range.)
class SpinEditAccessible : public LineEditAccessible, public QAccessibleValueInterface {
public:
    explicit SpinEditAccessible(SpinEdit* field);

    void* interface_cast(QAccessible::InterfaceType type) override;

    // The value, in the field's range, with a step of one.
    QVariant currentValue() const override;
    void setCurrentValue(const QVariant& value) override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;

    // Installs the factory that gives every number field this interface.
    static void Install();

private:
    SpinEdit* Spin() const;
};

} // namespace kvarzel
