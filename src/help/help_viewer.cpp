// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/help_viewer.h"

#include "help/help_address.h"
#include "help/help_page_browser.h"
#include "help/sitemap_views.h"
#include "help/topic_tree.h"
#include "platform/desktop/spoken_notice.h"

#include <QAction>
#include <QFileInfo>
#include <QListWidget>
#include <QSplitter>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kvarzel {

namespace {
const QString viewerCaption = QStringLiteral("Справка");
}

HelpViewer::HelpViewer() : QWidget(nullptr, Qt::Window) {
    // Help stays open beside the program but must not keep it running after
    // the main window closes.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(viewerCaption);
    resize(800, 560);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    BuildToolBar(*layout);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    browser_ = new HelpPageBrowser(splitter);
    browser_->setAccessibleName(QStringLiteral("Страница справки"));
    splitter->insertWidget(0, BuildNavigation());
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({230, 570});
    layout->addWidget(splitter, 1);
    pageNotice_ = new SpokenNotice(this);
    pageNotice_->setObjectName(QStringLiteral("PageNotice"));

    connect(browser_, &QTextBrowser::sourceChanged, this, &HelpViewer::PageChanged);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QAction::setEnabled);

    // Esc puts the help away, as it closes every other window of the program.
    auto* closeAction = new QAction(this);
    closeAction->setShortcut(Qt::Key_Escape);
    addAction(closeAction);
    connect(closeAction, &QAction::triggered, this, &QWidget::close);
}

HelpViewer::~HelpViewer() = default;

void HelpViewer::BuildToolBar(QVBoxLayout& layout) {
    auto* toolBar = new QToolBar(this);
    toolBar->setAccessibleName(QStringLiteral("Переход по страницам"));
    toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    back_ =
        toolBar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("Назад"));
    back_->setShortcut(QKeySequence::Back);
    back_->setEnabled(false);
    forward_ = toolBar->addAction(style()->standardIcon(QStyle::SP_ArrowForward),
                                  QStringLiteral("Вперёд"));
    forward_->setShortcut(QKeySequence::Forward);
    forward_->setEnabled(false);
    connect(back_, &QAction::triggered, this, [this] { browser_->backward(); });
    connect(forward_, &QAction::triggered, this, [this] { browser_->forward(); });
    // The button that shows the actions a narrow window has no room for.
    if (auto* more = toolBar->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button")))
        more->setAccessibleName(QStringLiteral("Другие кнопки"));
    layout.addWidget(toolBar);
}

QWidget* HelpViewer::BuildNavigation() {
    navigation_ = new QTabWidget;
    contents_ = new TopicTree;
    contents_->setHeaderHidden(true);
    index_ = new QListWidget;
    navigation_->addTab(contents_, QStringLiteral("Содержание"));
    navigation_->addTab(index_, QStringLiteral("Указатель"));
    navigation_->setAccessibleName(QStringLiteral("Разделы справки"));
    contents_->setAccessibleName(QStringLiteral("Содержание"));
    index_->setAccessibleName(QStringLiteral("Указатель"));
    connect(contents_, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { ShowPage(PageOfItem(*item)); });
    connect(contents_, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { ShowPage(PageOfItem(*item)); });
    connect(index_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { ShowPage(PageOfItem(*item)); });
    connect(index_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { ShowPage(PageOfItem(*item)); });
    return navigation_;
}

// The window is shown before the page changes: its first show clears the
// highlight in the contents, which the new page then sets.
void HelpViewer::ShowContents(const QString& helpFile) {
    BringToFront();
    if (OpenFile(helpFile)) {
        navigation_->setCurrentWidget(contents_);
        ShowPage(document_->DefaultPage());
    }
}

void HelpViewer::ShowTopic(const QString& address) {
    BringToFront();
    const HelpAddress target = SplitHelpAddress(address);
    if (OpenFile(target.File)) {
        ShowPage(target.Page.isEmpty() ? document_->DefaultPage() : target.Page);
    }
}

QString HelpViewer::CurrentPage() const {
    return browser_->CurrentPage();
}

bool HelpViewer::OpenFile(const QString& path) {
    if (document_ && path == openedPath_) {
        return true;
    }
    // A file that failed before is tried again: it may have been put back.
    document_ = LoadHelpDocument(path);
    openedPath_ = path;
    if (!document_) {
        ShowMissingFile(path);
        return false;
    }
    FillContentsTree(*contents_, document_->Contents);
    FillIndexList(*index_, document_->Index);
    browser_->SetHelpFile(document_->File);
    return true;
}

void HelpViewer::ShowMissingFile(const QString& path) {
    contents_->clear();
    index_->clear();
    browser_->SetHelpFile(std::nullopt);
    const bool exists = QFileInfo(path).isFile();
    const QString heading = exists ? QStringLiteral("Файл справки повреждён")
                                   : QStringLiteral("Файл справки не найден");
    const QString text = exists ? QStringLiteral("Не удаётся прочитать файл справки «%1».")
                                : QStringLiteral("Файл справки «%1» не найден. Он должен лежать "
                                                 "рядом с программой.");
    browser_->ShowNotice(heading, text.arg(path));
    setWindowTitle(viewerCaption);
}

void HelpViewer::ShowPage(const QString& page) {
    if (!page.isEmpty()) {
        browser_->ShowPage(page);
    }
}

// The browser reports the new address before source() gives it back, so the
// page is taken from the address reported.
void HelpViewer::PageChanged(const QUrl& source) {
    SelectPageInTree(*contents_, HelpPageBrowser::PageOfUrl(source));
    const QString pageTitle = browser_->documentTitle();
    const QString fileTitle = document_ ? document_->System.Title : QString();
    const QString caption = fileTitle.isEmpty() ? viewerCaption : fileTitle;
    setWindowTitle(pageTitle.isEmpty() ? caption : pageTitle + QStringLiteral(" — ") + caption);
    // A window that opens says its title, which names the page; a page chosen in a window
    // in use says nothing of itself while the focus stays in the contents or the index.
    if (isActiveWindow())
        pageNotice_->Announce(browser_->PlaceHeading(source));
}

void HelpViewer::BringToFront() {
    if (isMinimized()) {
        showNormal();
    } else {
        show();
    }
    raise();
    activateWindow();
}

} // namespace kvarzel
