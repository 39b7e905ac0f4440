// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>

#include <string>

namespace kvarzel {

// A text field for a file name held as the system's bytes. A name handed in
// is given back byte for byte while the field still shows what it showed
// for it, even where it cannot show the name as it is: bytes that are no
// UTF-8, or a name longer than the field's maximum length, of which it
// shows the beginning. Any other text is the name as typed.
class FileNameEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit FileNameEdit(QWidget* parent = nullptr);

    std::string FileName() const;
    void SetFileName(const std::string& name);

private:
    std::string fileName_;
    QString shownText_;
};

} // namespace kvarzel
