#include "app/NowPlaying.h"

#include <gtest/gtest.h>

using namespace pilotune;

namespace {
TrackFields Split(std::string_view playerTitle) {
    TrackFields f;
    SplitPlayerTitle(playerTitle, f);
    return f;
}
} // namespace

TEST(NowPlaying, ThePlayersTitleSplitsAtItsFirstDashAfterTheNumber) {
    const auto pair = [](const TrackFields& f) { return f.artist + "|" + f.title; };
    EXPECT_EQ(pair(Split("12. Artiste - Morceau")), "Artiste|Morceau");
    EXPECT_EQ(pair(Split("3. Ελένη - Τραγούδι - live")), "Ελένη|Τραγούδι - live");
    EXPECT_EQ(pair(Split("7. Sans artiste")), "|Sans artiste");
    // Only a number followed by ". " is the playlist's.
    EXPECT_EQ(pair(Split("1999 - Prince")), "1999|Prince");
    EXPECT_EQ(pair(Split("2.0 remix")), "|2.0 remix");
    EXPECT_EQ(pair(Split("")), "|");

    EXPECT_EQ(LengthText(0), "0:00");
    EXPECT_EQ(LengthText(65), "1:05");
    EXPECT_EQ(LengthText(4502), "75:02");
    EXPECT_EQ(LengthText(-1), "");
}

TEST(NowPlaying, TheTemplateTakesEveryFieldAndAnEmptyOneTakesItsJoinAlong) {
    TrackFields f = Split("4. 坂本 龍一 - 🎹 Merry Christmas");
    f.number = 4;
    f.length = 283;
    f.file = "D:\\Musique\\été.mp3";
    EXPECT_EQ(ExpandNowPlaying("", f), "坂本 龍一 - 🎹 Merry Christmas");
    EXPECT_EQ(ExpandNowPlaying("#{number} {title} ({length}) {file}", f),
              "#4 🎹 Merry Christmas (4:43) D:\\Musique\\été.mp3");
    // Unknown names, lone and empty braces are text.
    EXPECT_EQ(ExpandNowPlaying("{Title} {x}{} { {title}}", f),
              "{Title} {x}{} { 🎹 Merry Christmas}");

    f.artist.clear();
    EXPECT_EQ(ExpandNowPlaying("{artist} - {title}", f), "🎹 Merry Christmas");
    EXPECT_EQ(ExpandNowPlaying("En cours : {number}. {artist} - {title} !", f),
              "En cours : 4. 🎹 Merry Christmas !");
    f.length = -1;
    EXPECT_EQ(ExpandNowPlaying("{title} - {length}", f), "🎹 Merry Christmas");
    f.title.clear();
    EXPECT_EQ(ExpandNowPlaying("{artist} - {title}", f), "");
}
