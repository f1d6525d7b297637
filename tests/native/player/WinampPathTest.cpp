#include <gtest/gtest.h>

#include "FakePlayer.h"
#include "player/Winamp.h"
#include "settings/Codecs.h"
#include "settings/SettingsStore.h"

using namespace pilotune;
using namespace pilotune::testing;

namespace {
constexpr char kPrompt[] = "Erreur de chemin de winamp|Le chemin de winamp n'a pas été trouvé\r\n"
                           "Veuillez saisir le chemin complet|";
constexpr char kInstall[] = "                    Veuillez installer Winamp. \r\n"
                            "Sans Winamp le programme ne sert pas à grand chose.";

struct PathTest : ::testing::Test {
    Windows1252Codec codec;
    DayMonthYearDateCodec dates;
    SettingsStore store;
    FakePlayerSystem system;
    void SetUp() override {
        store.Open("Z:\\nowhere\\Pilotune.ini",
                   {"Z:\\nowhere\\Pilotune.exe", "abc", &codec, &dates});
    }
    std::string Stored() { return store.ReadText("Option", "CheminWinamp", "?", true); }
};
} // namespace

TEST_F(PathTest, TheDefaultPathIsKeptWhenThePlayerIsThere) {
    system.files[kDefaultWinampPath] = "MZ";
    EXPECT_EQ(ResolveWinampPath(store, system), kDefaultWinampPath);
    EXPECT_EQ(Stored(), kDefaultWinampPath);
    EXPECT_TRUE(system.asked.empty());
    EXPECT_TRUE(system.shown.empty());
}

TEST_F(PathTest, TheUserIsAskedAndWhatTheyLeaveIsStoredEvenWhenWrong) {
    system.registered = "E:\\absent.exe";
    system.userTypes = [](const std::string&) { return std::string("F:\\W\\winamp.exe"); };
    system.files["F:\\W\\winamp.exe"] = "MZ";
    EXPECT_EQ(ResolveWinampPath(store, system), "F:\\W\\winamp.exe");
    EXPECT_EQ(system.asked, std::vector<std::string>{std::string(kPrompt) + "E:\\absent.exe"});
    EXPECT_TRUE(system.shown.empty());

    system.userTypes = [](const std::string&) { return std::string("n'importe quoi"); };
    system.files.clear();
    EXPECT_EQ(ResolveWinampPath(store, system), "n'importe quoi");
    EXPECT_EQ(Stored(), "n'importe quoi");
    EXPECT_EQ(system.shown, std::vector<std::string>{kInstall});
}
