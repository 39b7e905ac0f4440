#pragma once

#include "ui/common/dialog_keys.h"

class QPushButton;
class QTabWidget;

namespace kvarzel {

// The options dialog. It owns the settings record: creating the dialog
// creates and loads `Options`, destroying it saves and frees it.
class TOptionsForm : public HelpDialog {
    Q_OBJECT
public:
    explicit TOptionsForm(QWidget* parent = nullptr);
    ~TOptionsForm() override;

    QTabWidget* PageControl = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;

private:
    void FormCreate();
    // Saves and frees the record; a failed save reaches the application's
    // error display, and the record is freed all the same.
    void FormDestroy();
};

} // namespace kvarzel
