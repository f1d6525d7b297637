#include "settings/TimeText.h"

#include <climits>
#include <gtest/gtest.h>

using namespace pilotune;

// Minutes below an hour, padded hours from an hour on; a sign before the
// absolute value.
TEST(TimeText, SecondsToText) {
    const std::pair<int, const char*> cases[] = {
        {0, "0:00"},     {59, "0:59"},         {754, "12:34"},
        {3599, "59:59"}, {3600, "01:00:00"},   {360000, "100:00:00"},
        {-65, "-1:05"},  {-3725, "-01:02:05"}, {INT_MIN, "-596523:14:08"},
    };
    for (const auto& [seconds, text] : cases)
        EXPECT_EQ(SecondsToText(seconds), text) << seconds;
    for (int s = 0; s <= 86400; s += 7)
        EXPECT_EQ(TextToSeconds(SecondsToText(s)), s) << s;
}

// Parts combine from left to right; leading numbers are read and nothing fails.
TEST(TimeText, TextToSeconds) {
    const std::pair<const char*, int> cases[] = {
        {"14:30:05", 52205},
        {"1:2", 62},
        {"45", 45},
        {"", 0},
        {"abc", 0},
        {":", 0},
        {"1::", 3600},
        {"  3 min: 4s", 184},
        {"99999999999:99999999999", INT_MAX},
    };
    for (const auto& [text, seconds] : cases)
        EXPECT_EQ(TextToSeconds(text), seconds) << text;
}
