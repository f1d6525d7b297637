#include "options/OptionsPages.h"

#include <gtest/gtest.h>

namespace pilotune {
namespace {

TEST(OptionsPagesTest, StoredPageOutsideTheFiveOpensTheGeneralPage) {
    struct Case {
        int stored, page;
    };
    for (Case c : {Case{0, 0}, Case{4, 4}, Case{2, 2}, Case{5, 0}, Case{9, 0}, Case{-1, 0},
                   Case{-2147483647 - 1, 0}, Case{2147483647, 0}})
        EXPECT_EQ(OptionStartPage(c.stored), c.page) << c.stored;
}

TEST(OptionsPagesTest, CaptionAndHelpContextOfEachPage) {
    EXPECT_EQ(OptionCaption(kPageClavier), "Option  -  Clavier");
    EXPECT_EQ(OptionCaption(kPageCopie), "Option  -  Copie music");
    EXPECT_EQ(OptionCaption(kPageProgramme), "Option  -  Programme music");
    EXPECT_EQ(OptionCaption(42), "Option  -  Divers");
    EXPECT_EQ(OptionHelpContext(kPageDivers), 1002);
    EXPECT_EQ(OptionHelpContext(kPagePlanification), 1006);
}

} // namespace
} // namespace pilotune
