// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QLabel;
class QWidget;

namespace kvarzel {

// A caption as a screen reader should say it: the mnemonic marks removed, "&&" kept as "&".
QString WithoutMnemonic(const QString& caption);

// Names a control after the label that stands for it: the label becomes the control's buddy
// (which screen readers follow as "labelled by") and its text, without the mnemonic mark, the
// control's accessible name. A description is added where the label alone does not say enough.
void NameAfterLabel(QWidget* control, QLabel* label, const QString& description = {});

// Names a control that has no label of its own.
void NameControl(QWidget* control, const QString& name, const QString& description = {});

// Gives a control a new accessible name and tells screen readers, even when the name is the
// one it had: the control stands for something that has just happened again.
void AnnounceName(QWidget* control, const QString& name);

} // namespace kvarzel
