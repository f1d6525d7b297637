#include "bar/Progress.h"

#include <gtest/gtest.h>

using namespace pilotune;

// Elapsed grows from the left border, remaining shrinks towards the right;
// integer division after the product; no division by a zero length; a
// stream (no length) shows its time over an empty bar; past the end the bar
// stays between the borders and the text does not lie.
TEST(Progress, ElapsedRemainingStartEndAndUnknownLengths) {
    struct Case {
        int p, d, L, R;
        bool remaining;
        ProgressDisplay expected;
    } cases[] = {
        {100, 200, 10, 410, false, {10, 100 * 398 / 200 + 10, "1:40"}},
        {100, 200, 10, 410, true, {211, 199, "-1:40"}},
        {1, 3, 0, 10, false, {0, 2, "0:01"}},
        {3725, 4000, 0, 10, false, {0, 7, "01:02:05"}},
        {0, 200, 0, 415, true, {1, 414, "-3:20"}}, // spans L + 1 .. R
        {0, 200, 0, 415, false, {0, 0, "0:00"}},
        {30, -1, 0, 415, true, {0, 0, "0:30"}},
        {200, 200, 0, 415, true, {416, 0, "0:00"}},
        {250, 200, 0, 415, false, {0, 413, "4:10"}},
    };
    for (const Case& c : cases) {
        const auto shown = ComputeProgress(c.p, c.d, c.L, c.R, c.remaining);
        ASSERT_TRUE(shown) << c.p << "/" << c.d;
        EXPECT_EQ(std::tie(shown->left, shown->width, shown->time),
                  std::tie(c.expected.left, c.expected.width, c.expected.time))
            << c.p << "/" << c.d << (c.remaining ? " remaining" : "");
    }
    EXPECT_EQ(ComputeProgress(0, 0, 0, 415, false), std::nullopt);
    EXPECT_EQ(ComputeProgress(37, 0, 0, 415, true), std::nullopt);
}
