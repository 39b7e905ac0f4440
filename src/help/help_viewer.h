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
    void showContents(const QString& helpFile);
    void showTopic(const QString& address);

    QString currentPage() const;
    HelpPageBrowser& pageBrowser() const { return *browser_; }
    QTreeWidget& contentsTree() const { return *contents_; }
    QListWidget& indexList() const { return *index_; }

private:
    void buildToolBar(QVBoxLayout& layout);
    QWidget* buildNavigation();
    bool openFile(const QString& path);
    void showMissingFile(const QString& path);
    void showPage(const QString& page);
    void pageChanged(const QUrl& source);
    void bringToFront();

    HelpPageBrowser* browser_ = nullptr;
    QTabWidget* navigation_ = nullptr;
    QTreeWidget* contents_ = nullptr;
    QListWidget* index_ = nullptr;
    QAction* back_ = nullptr;
    QAction* forward_ = nullptr;
    std::optional<HelpDocument> document_;
    QString openedPath_;
};

} // namespace kvarzel
