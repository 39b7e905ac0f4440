// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/help_address.h"
#include "help/help_topics.h"

#include <gtest/gtest.h>

namespace kvarzel {
namespace {

TEST(HelpTopicAddress, NamesTheTopicPageOfEachContext) {
    const QString file = "/opt/apps/trainer.chm";
    EXPECT_EQ(HelpTopicAddress(file, 0), "/opt/apps/trainer.chm::/UserIface.htm");
    EXPECT_EQ(HelpTopicAddress(file, 1), "/opt/apps/trainer.chm::/MainMenu.htm");
    EXPECT_EQ(HelpTopicAddress(file, 2), "/opt/apps/trainer.chm::/Training.htm");
    EXPECT_EQ(HelpTopicAddress(file, 3), "/opt/apps/trainer.chm::/ResultsTab.htm");
    EXPECT_EQ(HelpTopicAddress(file, 4), "/opt/apps/trainer.chm::/OptsForm.htm");
    EXPECT_EQ(HelpTopicAddress(file, 5), "/opt/apps/trainer.chm::/AboutApp.htm");
    EXPECT_EQ(HelpTopicAddress("C:\\Apps\\trainer.chm", 4), "C:\\Apps\\trainer.chm::/OptsForm.htm");
}

TEST(HelpTopicAddress, IsEmptyOutsideTheTopicTable) {
    for (int context :
         {-1, 6, 7, 1000, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()}) {
        EXPECT_TRUE(HelpTopicAddress("/a/b.chm", context).isEmpty()) << context;
        EXPECT_FALSE(IsHelpContext(context)) << context;
    }
}

TEST(SplitHelpAddress, SeparatesFileAndPage) {
    const HelpAddress address = SplitHelpAddress("/opt/apps/trainer.chm::/Training.htm");
    EXPECT_EQ(address.File, "/opt/apps/trainer.chm");
    EXPECT_EQ(address.Page, "Training.htm");
}

TEST(SplitHelpAddress, TakesTheLastSeparatorAndAcceptsAFileAlone) {
    EXPECT_EQ(SplitHelpAddress("/odd::/folder/k.chm::/A.htm").File, "/odd::/folder/k.chm");
    EXPECT_EQ(SplitHelpAddress("/odd::/folder/k.chm::/A.htm").Page, "A.htm");
    const HelpAddress fileOnly = SplitHelpAddress("/opt/apps/trainer.chm");
    EXPECT_EQ(fileOnly.File, "/opt/apps/trainer.chm");
    EXPECT_TRUE(fileOnly.Page.isEmpty());
}

} // namespace
} // namespace kvarzel
