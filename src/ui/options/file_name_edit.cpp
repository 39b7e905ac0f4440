#include "ui/options/file_name_edit.h"

namespace kvarzel {

TFileNameEdit::TFileNameEdit(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::textEdited, this, [this] { edited_ = true; });
}

std::string TFileNameEdit::FileName() const {
    return edited_ ? text().toStdString() : fileName_;
}

void TFileNameEdit::SetFileName(const std::string& name) {
    fileName_ = name;
    edited_ = false;
    // Set in one piece, so that the field's change handlers see the new name.
    setText(QString::fromStdString(name));
    // The name is read from its beginning.
    setCursorPosition(0);
}

} // namespace kvarzel
