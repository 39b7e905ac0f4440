// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "help/chm_file.h"

#include <QTextBrowser>

#include <functional>
#include <optional>

namespace kvarzel {

// The page area of the help viewer: shows pages, pictures and style sheets
// from inside the help file; links to the outside go to the desktop's handler.
class HelpPageBrowser : public QTextBrowser {
    Q_OBJECT

public:
    explicit HelpPageBrowser(QWidget* parent = nullptr);

    // Pages of a new file replace those of the last one, history included.
    void SetHelpFile(std::optional<ChmFile> file);
    void ShowPage(const QString& page);
    // A notice in place of a page, for a help file that cannot be opened.
    void ShowNotice(const QString& heading, const QString& text);

    // The page shown, as the path inside the help file ("Training.htm");
    // empty while no help file is open.
    QString CurrentPage() const;
    // The heading a reader hears for the place an address shows: the line its
    // anchor is on, or else the page's title, or else its first line.
    QString PlaceHeading(const QUrl& source) const;

    static QUrl PageUrl(const QString& page);
    // The reverse: "Training.htm" for "chm:/Training.htm#timer"; empty for other addresses.
    static QString PageOfUrl(const QUrl& url);
    static bool IsPageUrl(const QUrl& url);

    // Replaces the shell for outside links (tests record them instead).
    void SetOutsideLinkHandler(std::function<void(const QUrl&)> handler);

    QVariant loadResource(int type, const QUrl& name) override;

protected:
    bool focusNextPrevChild(bool next) override;

private:
    void FollowLink(const QUrl& url);
    void TellSelectedLink();
    // The caret goes where the address points, so that reading goes on from there.
    void PlaceCaret(const QUrl& source);
    // Where the anchor of this name starts; -1 where the page has none.
    int AnchorPosition(const QString& name) const;

    std::optional<ChmFile> file_;
    std::function<void(const QUrl&)> openOutside_;
};

} // namespace kvarzel
