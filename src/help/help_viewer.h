// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "help/help_document.h"

#include <QWidget>

#include <optional>

class QAction;
class QListWidget;
class QTabWidget;
class QTreeWidget;
class QVBoxLayout;

namespace kvarzel {

class HelpPageBrowser;
class SpokenNotice;

// The help window: a top-level window of its own, the table of contents and
// the index on the left, the page on the right, back and forward above.
// It is kept (hidden when closed) so that it reopens where the user left it.
class HelpViewer : public QWidget {
    Q_OBJECT

public:
    HelpViewer();
    ~HelpViewer() override;

    // Open the file at its default page, or at the page of a help address
    // "<file>::/<page>", and bring the window to the front.
    void ShowContents(const QString& helpFile);
    void ShowTopic(const QString& address);

    QString CurrentPage() const;
    HelpPageBrowser& PageBrowser() const { return *browser_; }
    QTreeWidget& ContentsTree() const { return *contents_; }
    QListWidget& IndexList() const { return *index_; }

private:
    void BuildToolBar(QVBoxLayout& layout);
    QWidget* BuildNavigation();
    bool OpenFile(const QString& path);
    void ShowMissingFile(const QString& path);
    void ShowPage(const QString& page);
    void PageChanged(const QUrl& source);
    void BringToFront();

    HelpPageBrowser* browser_ = nullptr;
    QTabWidget* navigation_ = nullptr;
    QTreeWidget* contents_ = nullptr;
    QListWidget* index_ = nullptr;
    QAction* back_ = nullptr;
    QAction* forward_ = nullptr;
    std::optional<HelpDocument> document_;
    QString openedPath_;
    // Says the heading of a page chosen while the window is in use.
    SpokenNotice* pageNotice_ = nullptr;
};

} // namespace kvarzel
