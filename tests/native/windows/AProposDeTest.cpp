// The about box's scrolling and texts.
#include <gtest/gtest.h>

#include "windows/AProposDe.h"

using namespace pilotune;

namespace {

TEST(Defilement, RisesOnePixelAStepAndComesBackFromTheBottomOnceGone) {
    Defilement d{.top = 1, .height = 3, .frameHeight = 257};
    const int expected[] = {0, -1, -2, -3, 257, 256};
    for (int top : expected) {
        d.Step();
        EXPECT_EQ(d.top, top);
    }
    // An empty text (no read-me) goes round too, without end.
    Defilement empty{.top = 0, .height = 0, .frameHeight = 10};
    empty.Step();
    EXPECT_EQ(empty.top, 10);
}

TEST(Defilement, AClickPausesASecondResumes) {
    Defilement d{.top = 200, .height = 50, .frameHeight = 257};
    d.Toggle();
    for (int i = 0; i < 5; ++i)
        d.Step();
    EXPECT_EQ(d.top, 200);
    d.Toggle();
    d.Step();
    EXPECT_EQ(d.top, 199);
}

TEST(AProposDeTexts, VersionAndNotice) {
    EXPECT_EQ(VersionText("1.0.0.0"), "Version : 1.0.0.0");
    EXPECT_EQ(VersionText(""), "Version : ");
    EXPECT_NE(std::string(kAvertissement).find("@"), std::string::npos); // a contact
}

} // namespace
