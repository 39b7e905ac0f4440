// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/desktop/application.h"
#include "test_support/test_application.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace kvarzel {
namespace {

class ApplicationTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { InitApplication(testing::TestApplication()); }
};

struct SeenMessageBox {
    QString Text, Title;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
    QList<QAbstractButton*>::size_type ButtonCount = 0;
    QString ButtonText;
};

// Shows the application error and reads the box it opens before closing it.
SeenMessageBox ShowErrorAndRead(const QString& text) {
    SeenMessageBox seen;
    QTimer::singleShot(0, [&seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr)
            return;
        seen = {box->text(), box->windowTitle(), box->icon(), box->buttons().size(),
                box->buttons().value(0) ? box->buttons().value(0)->text() : QString()};
        box->button(QMessageBox::Ok)->click();
    });
    ShowApplicationError(text);
    return seen;
}

TEST_F(ApplicationTest, WindowsFontsResolveToLiberationSansAtTheirPixelHeights) {
    const QFontInfo msSansSerif(MsSansSerifFont());
    EXPECT_EQ(msSansSerif.family(), "Liberation Sans");
    EXPECT_EQ(msSansSerif.pixelSize(), 11);
    EXPECT_FALSE(msSansSerif.bold());
    EXPECT_TRUE(QFontInfo(MsSansSerifFont(true)).bold());

    const QFontInfo arial(ArialFont());
    EXPECT_EQ(arial.family(), "Liberation Sans");
    EXPECT_EQ(arial.pixelSize(), 11);
    EXPECT_EQ(QFontInfo(ArialFont(10)).pixelSize(), 13);
    EXPECT_EQ(QFontInfo(ArialFont(12, true)).pixelSize(), 16);
    EXPECT_TRUE(QFontInfo(ArialFont(12, true)).bold());
}

TEST_F(ApplicationTest, ControlsUseMsSansSerifByDefault) {
    QLabel label("Среднее значение по всем тренировкам:");
    EXPECT_EQ(label.font(), MsSansSerifFont());
    EXPECT_EQ(QFontInfo(label.font()).pixelSize(), 11);
    EXPECT_EQ(QFontInfo(label.font()).family(), "Liberation Sans");
}

TEST_F(ApplicationTest, QtsOwnTextsAreRussian) {
    QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Ok)->text(), "ОК");
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), "Отмена");
    QFileDialog chooser(nullptr, "Выбор звукового файла");
    chooser.setOption(QFileDialog::DontUseNativeDialog);
    EXPECT_EQ(chooser.labelText(QFileDialog::FileType), "Типы файлов:");
}

TEST_F(ApplicationTest, ErrorIsShownWithAFullStopUnderTheTitle) {
    SetApplicationTitle("Кварзель");
    EXPECT_EQ(ApplicationTitle(), "Кварзель");
    const SeenMessageBox seen = ShowErrorAndRead("Отказано в доступе");
    EXPECT_EQ(seen.Text, "Отказано в доступе.");
    EXPECT_EQ(seen.Title, "Кварзель");
    EXPECT_EQ(seen.Icon, QMessageBox::Critical);
    EXPECT_EQ(seen.ButtonCount, 1);
    EXPECT_EQ(seen.ButtonText, "ОК");
}

TEST_F(ApplicationTest, ErrorEndingInAFullStopGetsNoSecondOne) {
    EXPECT_EQ(ShowErrorAndRead("Диск заполнен.").Text, "Диск заполнен.");
}

TEST_F(ApplicationTest, ExecutablePathIsThisProgram) {
    const QFileInfo path(ExecutablePath());
    EXPECT_TRUE(path.isAbsolute());
    EXPECT_TRUE(path.isExecutable());
    // The program the platform tests are linked into.
    EXPECT_EQ(path.fileName(), "platform_tests");
}

} // namespace
} // namespace kvarzel
