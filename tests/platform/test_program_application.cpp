// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/desktop/program_application.h"

#include <QStyle>
#include <gtest/gtest.h>

namespace kvarzel {
namespace {

TEST(ProgramApplicationTest, QtOwnOptionsOnTheCommandLineChangeNothing) {
    static char name[] = "kvarzel";
    static char reverse[] = "-reverse";
    static char styleOption[] = "-style";
    static char style[] = "windows";
    static char sheetOption[] = "-stylesheet";
    static char sheet[] = "/nonexistent/sheet.qss";
    static char* argv[] = {name, reverse, styleOption, style, sheetOption, sheet, nullptr};
    // Never destroyed, as every test program's application object.
    auto* application = new ProgramApplication(6, argv);

    EXPECT_EQ(QApplication::layoutDirection(), Qt::LeftToRight);
    EXPECT_NE(QApplication::style()->name(), "windows");
    EXPECT_TRUE(application->styleSheet().isEmpty());
    EXPECT_EQ(QApplication::arguments(), QStringList{"kvarzel"});
    EXPECT_EQ(QString::fromUtf8(argv[1]), "-reverse") << "the program's own list is left alone";
}

} // namespace
} // namespace kvarzel
