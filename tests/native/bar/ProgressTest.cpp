#include "bar/Progress.h"

#include <gtest/gtest.h>

using namespace pilotune;

TEST(Progress, ElapsedGrowsFromTheLeftBorderRemainingShrinksTowardsTheRight) {
    auto elapsed = ComputeProgress(100, 200, 10, 410, false);
    ASSERT_TRUE(elapsed);
    EXPECT_EQ(elapsed->left, 10);
    EXPECT_EQ(elapsed->width, 100 * 398 / 200 + 10);
    EXPECT_EQ(elapsed->time, "1:40");

    auto remaining = ComputeProgress(100, 200, 10, 410, true);
    ASSERT_TRUE(remaining);
    EXPECT_EQ(remaining->left, 211);
    EXPECT_EQ(remaining->width, 199);
    EXPECT_EQ(remaining->time, "-1:40");

    // Integer division truncates after the product.
    EXPECT_EQ(ComputeProgress(1, 3, 0, 10, false)->width, 2);
    EXPECT_EQ(ComputeProgress(3725, 4000, 0, 10, false)->time, "01:02:05");
}

TEST(Progress, StartEndAndUnknownLengths) {
    auto start = ComputeProgress(0, 200, 0, 415, true);
    ASSERT_TRUE(start);
    EXPECT_EQ(start->time, "-3:20");
    EXPECT_EQ(start->left, 1);
    EXPECT_EQ(start->width, 414); // spans L + 1 .. R

    EXPECT_EQ(ComputeProgress(0, 200, 0, 415, false)->width, 0);
    EXPECT_EQ(ComputeProgress(0, 0, 0, 415, false), std::nullopt);
    EXPECT_EQ(ComputeProgress(37, 0, 0, 415, true), std::nullopt); // no division by zero

    // The player knows no length (streams): elapsed time, empty bar.
    auto stream = ComputeProgress(30, -1, 0, 415, true);
    ASSERT_TRUE(stream);
    EXPECT_EQ(stream->time, "0:30");
    EXPECT_EQ(stream->width, 0);

    // At or past the end the bar stays between the borders; the text does not lie.
    EXPECT_EQ(ComputeProgress(200, 200, 0, 415, true)->width, 0);
    auto past = ComputeProgress(250, 200, 0, 415, false);
    EXPECT_EQ(past->width, 413);
    EXPECT_EQ(past->time, "4:10");
}
