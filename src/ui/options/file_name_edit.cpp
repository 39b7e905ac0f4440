// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/options/file_name_edit.h"

#include "ui/common/line_edit_accessible.h"

namespace kvarzel {

FileNameEdit::FileNameEdit(QWidget* parent) : QLineEdit(parent) {
    LineEditAccessible::Install();
}

std::string FileNameEdit::FileName() const {
    return text() == shownText_ ? fileName_ : text().toStdString();
}

void FileNameEdit::SetFileName(const std::string& name) {
    fileName_ = name;
    // Set in one piece, so that the field's change handlers see the new name.
    shownText_ = QString::fromStdString(name).left(maxLength());
    setText(shownText_);
    // The name is read from its beginning.
    setCursorPosition(0);
}

} // namespace kvarzel
