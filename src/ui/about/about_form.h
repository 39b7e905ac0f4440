#pragma once

#include "ui/common/dialog_keys.h"

class QPushButton;

namespace kvarzel {

// The About dialog: the program's name and a button to close it.
class TAboutForm : public HelpDialog {
    Q_OBJECT
public:
    explicit TAboutForm(QWidget* parent = nullptr);

    QPushButton* OKButton = nullptr;
};

} // namespace kvarzel
