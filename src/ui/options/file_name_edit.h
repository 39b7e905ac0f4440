#pragma once

#include <QLineEdit>

#include <string>

namespace kvarzel {

// A text field for a file name held as the system's bytes. A name handed in
// is given back byte for byte until the user edits it, even where the field
// cannot show it as it is: bytes that are no UTF-8, or a name longer than
// the field's maximum length, of which it shows the beginning.
class TFileNameEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TFileNameEdit(QWidget* parent = nullptr);

    std::string FileName() const;
    void SetFileName(const std::string& name);

private:
    std::string fileName_;
    bool edited_ = false;
};

} // namespace kvarzel
