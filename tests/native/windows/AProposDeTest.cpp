// The about box's scrolling; the pause on a click and the texts are checked
// on the real box.
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

} // namespace
