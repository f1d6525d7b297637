// The code page, the date and the time texts of the settings file.
#include <gtest/gtest.h>

#include <climits>

#include "settings/Codecs.h"
#include "settings/TimeText.h"

using namespace pilotune;

TEST(Windows1252, EveryByteSurvivesADecodeEncodeRoundTrip) {
    const Windows1252Codec codec;
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(codec.Encode(codec.Decode(all)), all);
    EXPECT_EQ(codec.Decode("\x80\x9C\xE9\xFF"), "€œéÿ");
    EXPECT_EQ(codec.Encode("Dernière 5 €"), "Derni\xE8re 5 \x80");
}

TEST(Windows1252, UnmappableAndMalformedTextBecomesQuestionMarks) {
    const Windows1252Codec codec;
    EXPECT_EQ(codec.Encode("日本 ☺ 𝄞"), "?? ? ?");
    EXPECT_EQ(codec.Encode("a\xC3"), "a?");                     // cut sequence
    EXPECT_EQ(codec.Encode("\xC0\xAF|\xED\xA0\x80"), "??|???"); // overlong, surrogate
    EXPECT_EQ(codec.Encode("\xE2\x82"), "??");
}

TEST(Windows1252, EncodingInPlaceGivesTheSameBytesAsEncode) {
    const Windows1252Codec codec;
    std::string every; // every byte after every byte
    for (int a = 0; a < 256; ++a)
        for (int b = 0; b < 256; b += 3)
            every += {static_cast<char>(a), static_cast<char>(b), 'x'};
    for (const std::string& text :
         {std::string("plain ASCII, longer than eight bytes"), std::string("Été à Noël, cœur 5 €"),
          std::string("日本 ☺ 𝄞 \xC3"), std::string("\xC3\xC3\xA9\xC2\x80\xC2\x9F\xE2\x82"),
          std::string("Clé 12=valeur é\r\n[abc Option]\r\n"), every}) {
        std::string inPlace = text;
        codec.EncodeInPlace(inPlace);
        EXPECT_EQ(inPlace, codec.Encode(text)) << text.substr(0, 40);
    }
}

TEST(DayMonthYear, FormatsAndParsesBackEveryDayOfFourCenturiesAndRejectsOtherTexts) {
    const DayMonthYearDateCodec dates;
    const std::pair<int, const char*> days[] = {{0, "30/12/1899"},     {1, "31/12/1899"},
                                                {60, "28/02/1900"},    {61, "01/03/1900"},
                                                {45352, "01/03/2024"}, {-1, "29/12/1899"}};
    for (const auto& [day, text] : days)
        EXPECT_EQ(dates.Format(day), text);
    for (int day = -40000; day <= 110000; day += 13)
        ASSERT_EQ(dates.Parse(dates.Format(day)), day);
    for (const char* text : {"0", "", "29/02/2023", "31/04/2024", "00/01/2024", "1/13/2024", "1/1/",
                             "1//2024", "01/01/2024x", "123/01/2024", "a/b/c", "1/1/0"})
        EXPECT_FALSE(dates.Parse(text).has_value()) << text;
    EXPECT_EQ(dates.Parse(" 29/02/2024 "), DayFromCivil({2024, 2, 29}));
}

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
