// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/help_address.h"
#include "help/help_page_browser.h"
#include "help/help_viewer.h"
#include "test_support/built_help_file.h"
#include "test_support/test_application.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTreeWidget>
#include <QUrlQuery>

#include <gtest/gtest.h>

namespace kvarzel {
namespace {

using testing::BuiltHelpFile;

const QString fileTitle = QStringLiteral("Справка программы «Кварзель»");

struct Topic {
    int context;
    const char* page;
    QString title;
};

const Topic topics[] = {
    {0, "UserIface.htm", QStringLiteral("Главное окно")},
    {1, "MainMenu.htm", QStringLiteral("Меню программы")},
    {2, "Training.htm", QStringLiteral("Тренировка")},
    {3, "ResultsTab.htm", QStringLiteral("Результаты")},
    {4, "OptsForm.htm", QStringLiteral("Параметры тренировок")},
    {5, "AboutApp.htm", QStringLiteral("О программе")},
};

class HelpViewerTest : public ::testing::Test {
protected:
    void OpenTopic(int context) { viewer.ShowTopic(HelpTopicAddress(BuiltHelpFile(), context)); }
    HelpPageBrowser& Page() { return viewer.PageBrowser(); }
    QString PageText() { return Page().toPlainText(); }
    QAction* Action(const QString& text) {
        for (QAction* candidate : viewer.findChildren<QAction*>()) {
            if (candidate->text() == text) {
                return candidate;
            }
        }
        return nullptr;
    }

    QApplication& application = testing::TestApplication(); // before any widget
    HelpViewer viewer;
};

TEST_F(HelpViewerTest, IsAWindowOfItsOwn) {
    EXPECT_EQ(viewer.parentWidget(), nullptr);
    EXPECT_TRUE(viewer.isWindow());
    EXPECT_FALSE(viewer.testAttribute(Qt::WA_QuitOnClose));
}

TEST_F(HelpViewerTest, OpensEveryTopicWithItsTitle) {
    for (const Topic& topic : topics) {
        SCOPED_TRACE(topic.page);
        OpenTopic(topic.context);
        EXPECT_EQ(viewer.CurrentPage(), topic.page);
        EXPECT_EQ(Page().documentTitle(), topic.title);
        EXPECT_EQ(viewer.windowTitle(), topic.title + " — " + fileTitle);
        EXPECT_TRUE(PageText().startsWith(topic.title)) << PageText().left(80).toStdString();
        ASSERT_NE(viewer.ContentsTree().currentItem(), nullptr);
        EXPECT_EQ(viewer.ContentsTree().currentItem()->text(0),
                  topic.context == 1 ? QStringLiteral("Меню программы") : topic.title);
    }
    EXPECT_TRUE(viewer.isVisible());
}

TEST_F(HelpViewerTest, EscClosesTheWindowWhereverTheFocusIsAndItComesBackOnTheNextTopic) {
    for (QWidget* focused : std::initializer_list<QWidget*>{&Page(), &viewer.ContentsTree()}) {
        SCOPED_TRACE(focused->metaObject()->className());
        OpenTopic(2);
        QApplication::setActiveWindow(&viewer);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&viewer));
        focused->setFocus();
        ASSERT_TRUE(focused->hasFocus());
        QTest::keyClick(focused, Qt::Key_Escape);
        EXPECT_FALSE(viewer.isVisible());
    }
    OpenTopic(3);
    EXPECT_TRUE(viewer.isVisible());
    EXPECT_EQ(viewer.CurrentPage(), "ResultsTab.htm");
}

TEST_F(HelpViewerTest, ShowsTheTableOfContentsOfTheFile) {
    viewer.ShowContents(BuiltHelpFile());
    EXPECT_EQ(viewer.CurrentPage(), "UserIface.htm");
    const QTreeWidget& tree = viewer.ContentsTree();
    ASSERT_EQ(tree.topLevelItemCount(), 3);
    EXPECT_EQ(tree.topLevelItem(0)->text(0), "Главное окно");
    EXPECT_EQ(tree.topLevelItem(1)->text(0), "Параметры тренировок");
    EXPECT_EQ(tree.topLevelItem(2)->text(0), "О программе");
    const QTreeWidgetItem& window = *tree.topLevelItem(0);
    ASSERT_EQ(window.childCount(), 3);
    EXPECT_EQ(window.child(0)->text(0), "Меню программы");
    EXPECT_EQ(window.child(1)->text(0), "Тренировка");
    EXPECT_EQ(window.child(2)->text(0), "Результаты");
    EXPECT_TRUE(window.isExpanded());
}

TEST_F(HelpViewerTest, AClickOnTheContentsOpensThePage) {
    viewer.ShowContents(BuiltHelpFile());
    QTreeWidget& tree = viewer.ContentsTree();
    QTreeWidgetItem* results = tree.topLevelItem(0)->child(2);
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, tree.visualItemRect(results).center());
    EXPECT_EQ(viewer.CurrentPage(), "ResultsTab.htm");
}

TEST_F(HelpViewerTest, TheIndexOpensPagesAtTheirAnchors) {
    viewer.ShowContents(BuiltHelpFile());
    const QList<QListWidgetItem*> found =
        viewer.IndexList().findItems(QStringLiteral("Таймер"), Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    emit viewer.IndexList().itemActivated(found.front());
    EXPECT_EQ(viewer.CurrentPage(), "Training.htm");
    EXPECT_EQ(Page().source().fragment(), "timer");
}

TEST_F(HelpViewerTest, FollowsLinksAndGoesBackAndForward) {
    OpenTopic(0);
    QAction* back = Action(QStringLiteral("Назад"));
    QAction* forward = Action(QStringLiteral("Вперёд"));
    ASSERT_NE(back, nullptr);
    ASSERT_NE(forward, nullptr);
    EXPECT_FALSE(back->isEnabled());

    emit Page().anchorClicked(Page().source().resolved(QUrl("Training.htm")));
    EXPECT_EQ(viewer.CurrentPage(), "Training.htm");
    emit Page().anchorClicked(Page().source().resolved(QUrl("OptsForm.htm#keys")));
    EXPECT_EQ(viewer.CurrentPage(), "OptsForm.htm");
    EXPECT_EQ(Page().source().fragment(), "keys");
    EXPECT_TRUE(back->isEnabled());

    back->trigger();
    EXPECT_EQ(viewer.CurrentPage(), "Training.htm");
    EXPECT_EQ(viewer.ContentsTree().currentItem()->text(0), "Тренировка");
    back->trigger();
    EXPECT_EQ(viewer.CurrentPage(), "UserIface.htm");
    EXPECT_FALSE(back->isEnabled());
    ASSERT_TRUE(forward->isEnabled());
    forward->trigger();
    EXPECT_EQ(viewer.CurrentPage(), "Training.htm");
}

TEST_F(HelpViewerTest, SendsOnlyWebAndMailLinksOutside) {
    std::vector<QUrl> opened;
    Page().SetOutsideLinkHandler([&](const QUrl& url) { opened.push_back(url); });
    OpenTopic(2);
    emit Page().anchorClicked(QUrl("https://example.org/kvarzel"));
    emit Page().anchorClicked(QUrl("mailto:someone@example.org"));
    emit Page().anchorClicked(QUrl("file:///bin/sh"));
    emit Page().anchorClicked(QUrl("javascript:alert(1)"));
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0], QUrl("https://example.org/kvarzel"));
    EXPECT_EQ(opened[1], QUrl("mailto:someone@example.org"));
    EXPECT_EQ(viewer.CurrentPage(), "Training.htm");
}

TEST_F(HelpViewerTest, MailLinksGoOutWithAddressSubjectAndBodyOnly) {
    std::vector<QUrl> opened;
    Page().SetOutsideLinkHandler([&](const QUrl& url) { opened.push_back(url); });
    OpenTopic(5);
    emit Page().anchorClicked(QUrl("mailto:someone@example.org?attach=/etc/passwd"));
    emit Page().anchorClicked(
        QUrl("MAILTO:someone@example.org?Subject=%D0%9A%D0%B2%D0%B0%D1%80"
             "%D0%B7%D0%B5%D0%BB%D1%8C&%61ttach=%2Fetc%2Fshadow&cc=x@example.org"
             "&body=a%26b%3Dc&attachment=~/.ssh/id_rsa#top"));
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0], QUrl("mailto:someone@example.org"));
    const QUrlQuery headers(opened[1]);
    EXPECT_EQ(opened[1].scheme(), "mailto");
    EXPECT_EQ(opened[1].path(), "someone@example.org");
    EXPECT_EQ(headers.queryItems(QUrl::FullyDecoded),
              (QList<std::pair<QString, QString>>{{"subject", "Кварзель"}, {"body", "a&b=c"}}));
    EXPECT_FALSE(opened[1].hasFragment());
}

TEST_F(HelpViewerTest, LoadsPicturesAndTheStyleSheetFromTheFile) {
    OpenTopic(2);
    const QVariant picture = Page().loadResource(QTextDocument::ImageResource,
                                                 Page().source().resolved(QUrl("signal.svg")));
    QImage image;
    ASSERT_TRUE(image.loadFromData(picture.toByteArray()));
    EXPECT_EQ(image.size(), QSize(132, 48));
    EXPECT_EQ(image.pixelColor(24, 10), QColor(0x00, 0x80, 0x00));

    // The heading colour comes only from the style sheet inside the file.
    const QTextBlock heading = Page().document()->firstBlock();
    EXPECT_EQ(heading.text().trimmed(), "Тренировка");
    EXPECT_EQ(heading.charFormat().foreground().color(), QColor("#1f4e79"));
}

TEST_F(HelpViewerTest, SaysSoWhenAPageIsMissing) {
    OpenTopic(2);
    viewer.ShowTopic(BuiltHelpFile() + "::/NoSuchTopic.htm");
    EXPECT_TRUE(PageText().contains("Страница не найдена"));
    EXPECT_TRUE(PageText().contains("NoSuchTopic.htm"));
    EXPECT_EQ(viewer.ContentsTree().topLevelItemCount(), 3);
    EXPECT_TRUE(viewer.windowTitle().startsWith("Страница не найдена"));
    OpenTopic(4);
    EXPECT_EQ(Page().documentTitle(), "Параметры тренировок");
}

TEST_F(HelpViewerTest, SaysSoWhenTheFileIsMissingAndRecovers) {
    OpenTopic(2);
    viewer.ShowTopic("/nonexistent/folder/other.chm::/Training.htm");
    EXPECT_TRUE(PageText().contains("Файл справки не найден"));
    EXPECT_TRUE(PageText().contains("/nonexistent/folder/other.chm"));
    EXPECT_EQ(viewer.ContentsTree().topLevelItemCount(), 0);
    EXPECT_EQ(viewer.IndexList().count(), 0);
    EXPECT_EQ(viewer.windowTitle(), "Справка");
    EXPECT_TRUE(viewer.CurrentPage().isEmpty());

    OpenTopic(3);
    EXPECT_EQ(Page().documentTitle(), "Результаты");
    EXPECT_EQ(viewer.ContentsTree().topLevelItemCount(), 3);
}

TEST_F(HelpViewerTest, SaysSoWhenTheFileIsDamaged) {
    QTemporaryDir folder;
    QFile damaged(folder.filePath("kvarzel.chm"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("ITSF" + QByteArray(200, '\xff'));
    damaged.close();
    viewer.ShowContents(damaged.fileName());
    EXPECT_TRUE(PageText().contains("Файл справки повреждён"));
    EXPECT_EQ(viewer.ContentsTree().topLevelItemCount(), 0);
}

} // namespace
} // namespace kvarzel
