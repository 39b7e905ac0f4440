// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/desktop/version_resource.h"
#include "ui/common/dialog_keys.h"

#include <functional>

class QLabel;
class QPushButton;

namespace kvarzel {

class TextLabel;

// The About dialog: the program's icon, its description, version and
// copyright from the executable's version strings, the maker's e-mail address
// and website as links, and an OK button. Text and layout are made once, at
// creation; the link colours carry over from one showing to the next.
class TAboutForm : public HelpDialog {
    Q_OBJECT
public:
    // Opens a link with the desktop's handler; replaceable for tests.
    using LinkOpener = std::function<void(const QString& link)>;

    explicit TAboutForm(QWidget* parent = nullptr,
                        const VersionResource& versionResource = VersionResource::OfExecutable());

    void SetLinkOpener(LinkOpener opener) { openLink_ = std::move(opener); }

    QLabel* LogoImage = nullptr;
    TextLabel* AboutLabel = nullptr;
    TextLabel* ContactLabel = nullptr;
    TextLabel* EmailLabel = nullptr;
    TextLabel* WebsiteLabel = nullptr;
    QPushButton* OKButton = nullptr;

protected:
    // Every showing starts with the OK button focused, so that Enter closes the dialog.
    void showEvent(QShowEvent* event) override;
    // Esc presses the OK button, so the dialog closes with the OK result.
    void keyPressEvent(QKeyEvent* event) override;
    // Moves over the background and over controls that pass them on.
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void CreateControls();
    TextLabel* CreateLink(const char* name, const QString& text, const QString& target);
    void FormCreate(const VersionResource& versionResource);

    void EmailLabelClick();
    void WebsiteLabelClick();
    void OpenLinkOf(TextLabel* label);
    void EmailLabelMouseMove();
    void WebsiteLabelMouseMove();
    void OtherMouseMove();

    LinkOpener openLink_;
};

} // namespace kvarzel
