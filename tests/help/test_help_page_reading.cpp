// SPDX-License-Identifier: GPL-3.0-or-later
// The help page as a screen reader walks it: a document with a caret, read by
// screen lines, whose links Tab selects, and whose topics, chosen in
// the contents, say their headings.
#include "help/help_address.h"
#include "help/help_page_browser.h"
#include "help/help_viewer.h"
#include "test_support/built_help_file.h"
#include "test_support/test_application.h"

#include <QAccessible>
#include <QApplication>
#include <QSet>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <vector>

namespace kvarzel {
namespace {

using testing::BuiltHelpFile;

class HelpPageReadingTest : public ::testing::Test {
protected:
    void Open(int context) {
        viewer.ShowTopic(HelpTopicAddress(BuiltHelpFile(), context));
        QApplication::setActiveWindow(&viewer);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&viewer));
    }
    HelpPageBrowser& Page() { return viewer.PageBrowser(); }
    QAccessibleInterface* PageAccessible() {
        return QAccessible::queryAccessibleInterface(&Page());
    }
    QAccessibleTextInterface* PageText() { return PageAccessible()->textInterface(); }

    QApplication& application = testing::TestApplication(); // before any widget
    HelpViewer viewer;
};

TEST_F(HelpPageReadingTest, ThePageIsAReadOnlyDocumentWithTheTextOfThePage) {
    Open(2);
    QAccessibleInterface* page = PageAccessible();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->role(), QAccessible::Document);
    EXPECT_EQ(page->text(QAccessible::Name), QStringLiteral("Страница справки"));
    EXPECT_TRUE(page->state().readOnly);
    EXPECT_TRUE(page->state().focusable);
    ASSERT_NE(PageText(), nullptr);
    const QString plain = Page().toPlainText();
    EXPECT_EQ(PageText()->characterCount(), plain.size());
    EXPECT_EQ(PageText()->text(0, -1), plain);
    EXPECT_EQ(PageText()->text(3, 9), plain.mid(3, 6));
}

// Walked line after line, the lines follow each other without a gap or an
// overlap and make up the whole text; a narrow window wraps paragraphs, so
// there are more lines on the screen than paragraphs.
TEST_F(HelpPageReadingTest, ScreenLinesTileTheTextAndBeforeAndAfterStepThroughThem) {
    Open(2);
    viewer.resize(420, 500);
    Page().document()->adjustSize();
    QApplication::processEvents();
    QAccessibleTextInterface& text = *PageText();
    const QString plain = Page().toPlainText();
    QString joined;
    int lines = 0;
    int offset = 0;
    while (offset < plain.size()) {
        int start = -1;
        int end = -1;
        const QString line = text.textAtOffset(offset, QAccessible::LineBoundary, &start, &end);
        ASSERT_EQ(start, offset) << lines;
        ASSERT_GT(end, start) << lines;
        EXPECT_EQ(line, plain.mid(start, end - start));
        // Any offset inside the line gives the same line.
        int again = -1;
        int againEnd = -1;
        text.textAtOffset(end - 1, QAccessible::LineBoundary, &again, &againEnd);
        EXPECT_EQ(std::make_pair(again, againEnd), std::make_pair(start, end)) << lines;
        int nextStart = -1;
        int nextEnd = -1;
        text.textAfterOffset(start, QAccessible::LineBoundary, &nextStart, &nextEnd);
        if (end < plain.size()) {
            EXPECT_EQ(nextStart, end) << lines;
            int backStart = -1;
            int backEnd = -1;
            text.textBeforeOffset(end, QAccessible::LineBoundary, &backStart, &backEnd);
            EXPECT_EQ(std::make_pair(backStart, backEnd), std::make_pair(start, end)) << lines;
        }
        joined += line;
        offset = end;
        ++lines;
    }
    EXPECT_EQ(joined, plain);
    EXPECT_GT(lines, plain.count(u'\n') + 1);
}

// The arrows move a caret, line by line, whose line the reader reads.
TEST_F(HelpPageReadingTest, TheArrowsMoveACaretFromLineToLine) {
    Open(0);
    Page().setFocus();
    ASSERT_EQ(PageText()->cursorPosition(), 0);
    int lineStart = -1;
    int lineEnd = -1;
    PageText()->textAtOffset(0, QAccessible::LineBoundary, &lineStart, &lineEnd);
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(&Page(), Qt::Key_Down);
        const int caret = PageText()->cursorPosition();
        EXPECT_EQ(caret, lineEnd) << i;
        PageText()->textAtOffset(caret, QAccessible::LineBoundary, &lineStart, &lineEnd);
    }
    QTest::keyClick(&Page(), Qt::Key_Right);
    EXPECT_EQ(PageText()->cursorPosition(), lineStart + 1);
}

TEST_F(HelpPageReadingTest, TabSelectsEachLinkForTheReaderAndEnterFollowsIt) {
    Open(0);
    Page().setFocus();
    QStringList links;
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(&Page(), Qt::Key_Tab);
        ASSERT_TRUE(Page().hasFocus()) << i;
        const QTextCursor cursor = Page().textCursor();
        ASSERT_TRUE(cursor.hasSelection()) << i;
        EXPECT_TRUE(cursor.charFormat().isAnchor()) << i;
        const int start = cursor.selectionStart();
        const int end = cursor.selectionEnd();
        int selectedStart = -1;
        int selectedEnd = -1;
        PageText()->selection(0, &selectedStart, &selectedEnd);
        EXPECT_EQ(std::make_pair(selectedStart, selectedEnd), std::make_pair(start, end));
        links << cursor.selectedText();
    }
    EXPECT_EQ(QSet<QString>(links.begin(), links.end()).size(), 3) << links.join('|').toStdString();

    const QString target = HelpPageBrowser::PageOfUrl(
        Page().source().resolved(QUrl(Page().textCursor().charFormat().anchorHref())));
    QTest::keyClick(&Page(), Qt::Key_Return);
    EXPECT_EQ(viewer.CurrentPage(), target);
    // The reader goes on in the page it has come to.
    EXPECT_TRUE(Page().hasFocus());
}

TEST_F(HelpPageReadingTest, ATopicChosenInTheContentsSaysItsHeading) {
    Open(0);
    auto* notice = viewer.findChild<QWidget*>(QStringLiteral("PageNotice"));
    ASSERT_NE(notice, nullptr);
    QTreeWidget& tree = viewer.ContentsTree();
    tree.setFocus();
    const std::vector<std::pair<QTreeWidgetItem*, QString>> choices = {
        {tree.topLevelItem(0)->child(1), QStringLiteral("Тренировка")},
        {tree.topLevelItem(1), QStringLiteral("Параметры тренировок")},
        {tree.topLevelItem(0), QStringLiteral("Главное окно")}};
    for (const auto& [item, heading] : choices) {
        tree.setCurrentItem(item);
        QTest::keyClick(tree.viewport(), Qt::Key_Return);
        EXPECT_EQ(Page().documentTitle(), heading);
        EXPECT_EQ(QAccessible::queryAccessibleInterface(notice)->text(QAccessible::Name), heading);
        EXPECT_EQ(QAccessible::queryAccessibleInterface(notice)->role(),
                  QAccessible::Notification);
        EXPECT_TRUE(notice->isVisible());
        EXPECT_TRUE(tree.hasFocus());
    }
}

// A link or an index entry to an anchor puts the caret on the anchor's line,
// where reading goes on, and the place says that line as its heading.
TEST_F(HelpPageReadingTest, AnAnchorGetsTheCaretAndSaysItsHeading) {
    Open(3);
    auto* notice = viewer.findChild<QWidget*>(QStringLiteral("PageNotice"));
    ASSERT_NE(notice, nullptr);
    Page().setFocus();
    QTest::keyClick(&Page(), Qt::Key_Tab);
    ASSERT_EQ(Page().textCursor().charFormat().anchorHref(), "#zoom");
    QTest::keyClick(&Page(), Qt::Key_Return);
    const QString zoomHeading = QStringLiteral("Масштабирование — левая кнопка мыши");
    EXPECT_EQ(Page().textCursor().block().text(), zoomHeading);
    EXPECT_FALSE(Page().textCursor().hasSelection());
    EXPECT_EQ(QAccessible::queryAccessibleInterface(notice)->text(QAccessible::Name), zoomHeading);
    EXPECT_EQ(Page().PlaceHeading(Page().source()), zoomHeading);

    viewer.ShowTopic(HelpTopicAddress(BuiltHelpFile(), 2) + QStringLiteral("#timer"));
    EXPECT_EQ(Page().textCursor().block().text(), QStringLiteral("Время на ответ"));
    // An anchor the page lacks leaves the caret at the top, and the heading the title's.
    const QUrl missing = HelpPageBrowser::PageUrl(QStringLiteral("Training.htm#nowhere"));
    Page().setSource(missing);
    EXPECT_EQ(Page().textCursor().position(), 0);
    EXPECT_EQ(Page().PlaceHeading(missing), QStringLiteral("Тренировка"));
}

} // namespace
} // namespace kvarzel
