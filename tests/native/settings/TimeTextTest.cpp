#include "settings/TimeText.h"

#include <climits>
#include <gtest/gtest.h>

using namespace pilotune;

TEST(TimeText, SecondsToTextUsesMinutesBelowAnHourAndPadsFromAnHourOn) {
    EXPECT_EQ(SecondsToText(0), "0:00");
    EXPECT_EQ(SecondsToText(59), "0:59");
    EXPECT_EQ(SecondsToText(65), "1:05");
    EXPECT_EQ(SecondsToText(754), "12:34");
    EXPECT_EQ(SecondsToText(3599), "59:59");
    EXPECT_EQ(SecondsToText(3600), "01:00:00");
    EXPECT_EQ(SecondsToText(3725), "01:02:05");
    EXPECT_EQ(SecondsToText(360000), "100:00:00");
}

TEST(TimeText, NegativeSecondsGetASignBeforeTheirAbsoluteValue) {
    EXPECT_EQ(SecondsToText(-65), "-1:05");
    EXPECT_EQ(SecondsToText(-3725), "-01:02:05");
    EXPECT_EQ(SecondsToText(INT_MIN), "-596523:14:08");
}

TEST(TimeText, TextToSecondsCombinesPartsFromLeftToRight) {
    EXPECT_EQ(TextToSeconds("14:30:05"), 52205);
    EXPECT_EQ(TextToSeconds("2:05"), 125);
    EXPECT_EQ(TextToSeconds("1:2"), 62);
    EXPECT_EQ(TextToSeconds("45"), 45);
}

TEST(TimeText, TextToSecondsReadsLeadingNumbersAndNeverFails) {
    EXPECT_EQ(TextToSeconds(""), 0);
    EXPECT_EQ(TextToSeconds("abc"), 0);
    EXPECT_EQ(TextToSeconds("  3 min: 4s"), 184);
    EXPECT_EQ(TextToSeconds("1::"), 3600);
    EXPECT_EQ(TextToSeconds(":"), 0);
    EXPECT_EQ(TextToSeconds("99999999999:99999999999"), INT_MAX);
}

TEST(TimeText, RoundTripOverADay) {
    for (int s = 0; s <= 86400; s += 7)
        EXPECT_EQ(TextToSeconds(SecondsToText(s)), s) << s;
}
