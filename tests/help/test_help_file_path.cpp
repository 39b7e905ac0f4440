// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/help.h"
#include "help/help_file_path.h"

#include <gtest/gtest.h>

namespace kvarzel {
namespace {

TEST(HelpFilePathFor, ReplacesTheExtensionOfTheExecutable) {
    EXPECT_EQ(HelpFilePathFor("/opt/apps/other.exe"), "/opt/apps/other.chm");
    EXPECT_EQ(HelpFilePathFor("C:\\Apps\\trainer.exe"), "C:\\Apps\\trainer.chm");
    EXPECT_EQ(HelpFilePathFor("/opt/apps/name.with.dots"), "/opt/apps/name.with.chm");
    EXPECT_EQ(HelpFilePathFor("/opt/apps/kvarzel."), "/opt/apps/kvarzel.chm");
}

TEST(HelpFilePathFor, AppendsToANameWithoutExtension) {
    EXPECT_EQ(HelpFilePathFor("/usr/local/bin/kvarzel"), "/usr/local/bin/kvarzel.chm");
    EXPECT_EQ(HelpFilePathFor("kvarzel"), "kvarzel.chm");
}

TEST(HelpFilePathFor, IgnoresDotsInFolderNames) {
    EXPECT_EQ(HelpFilePathFor("/home/user/app.v2/kvarzel"), "/home/user/app.v2/kvarzel.chm");
    EXPECT_EQ(HelpFilePathFor("C:\\Prog.Files\\trainer"), "C:\\Prog.Files\\trainer.chm");
    EXPECT_EQ(HelpFilePathFor("./kvarzel"), "./kvarzel.chm");
}

TEST(HelpFilePathFor, KeepsNonLatinPaths) {
    EXPECT_EQ(HelpFilePathFor(QStringLiteral("/home/пользователь/Кварзель.exe")),
              QStringLiteral("/home/пользователь/Кварзель.chm"));
}

TEST(InitHelp, SetsTheHelpFileOnceAndShutDownClearsIt) {
    InitHelp("/opt/apps/other.exe");
    EXPECT_EQ(HelpFilePath(), "/opt/apps/other.chm");
    InitHelp("/opt/apps/kvarzel");
    EXPECT_EQ(HelpFilePath(), "/opt/apps/kvarzel.chm");
    DoneHelp();
    EXPECT_TRUE(HelpFilePath().isEmpty());
}

TEST(ShowHelp, WithoutAWidgetApplicationDoesNothing) {
    InitHelp("/opt/apps/kvarzel");
    ShowHelpTopic(2);
    ShowHelpContents();
    EXPECT_EQ(HelpViewerWindow(), nullptr);
    DoneHelp();
}

} // namespace
} // namespace kvarzel
