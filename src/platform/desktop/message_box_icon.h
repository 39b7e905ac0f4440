// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QMessageBox;

namespace kvarzel {

// Names the picture beside a message box's text after what it stands for
// ("Сведения", "Предупреждение", "Ошибка", "Вопрос"), so that a screen reader
// says what kind of message it is instead of an unnamed image.
void NameMessageBoxIcon(QMessageBox& box);

} // namespace kvarzel
