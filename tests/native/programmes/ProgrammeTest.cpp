// Programmes over an in-memory store, a playlist of file names and a noting bar.
#include <gtest/gtest.h>

#include <climits>
#include <tuple>

#include "SettingsFixture.h"
#include "programmes/ProgrammePorts.h"
#include "programmes/Programmes.h"
#include "settings/Option.h"

using namespace pilotune;

namespace {

class PlaylistPlayer final : public ProgrammePlayer {
  public:
    std::vector<std::string> names; // file names, playlist order
    int current = 1;                // 1-based
    PlayerState state = PlayerState::Playing;
    int position = 0;
    std::vector<std::pair<int, int>> jumps; // (track, seek) of each JouerTitre + AllerA

    int NumeroTitre() override { return current; }
    void JouerTitre(int n) override {
        current = n;
        position = 0;
        state = PlayerState::Playing;
        jumps.emplace_back(n, -1);
    }
    void AllerA(int seconds) override {
        position = seconds;
        if (!jumps.empty()) jumps.back().second = seconds;
    }
    int Position() override { return position; }
    void Jouer() override { state = PlayerState::Playing; }
    PlayerState Etat() override { return state; }
    std::string FichierTitre(int n) override {
        if (n < 1 || n > static_cast<int>(names.size())) return {};
        return "C:\\Musique\\" + names[static_cast<std::size_t>(n) - 1];
    }
    int ChercherTitre(const std::string& name) override {
        for (std::size_t i = 0; i < names.size(); ++i)
            if (names[i] == name) return static_cast<int>(i) + 1;
        return 0;
    }
};

class NotingBar final : public ProgrammeBar {
  public:
    int playPictures = 0, stopPictures = 0;
    bool lireChecked = false, enregistrerChecked = false;
    void ShowPlayPicture() override { ++playPictures; }
    void ShowStopPicture() override { ++stopPictures; }
    void CocherLireProg(bool c) override { lireChecked = c; }
    void CocherEnregistrerProg(bool c) override { enregistrerChecked = c; }
};

class Programmes : public ::testing::Test, protected pilotune::testing::MemoryStore {
  protected:
    Programmes() {
        for (int i = 1; i <= 10; ++i)
            player.names.push_back("piste" + std::to_string(i) + ".mp3");
    }

    // Stores the programme `name` with entries (file name, start, end).
    void Store(const std::string& name, const std::vector<std::tuple<std::string, int, int>>& e) {
        const std::string s = ProgrammeSection(name);
        store.WriteInteger(s, "ProgNb", static_cast<int>(e.size()), true);
        for (std::size_t i = 0; i < e.size(); ++i) {
            const std::string k = std::to_string(i);
            store.WriteInteger(s, "ProgN " + k, 1, true);
            store.WriteText(s, "ProgT " + k, std::get<0>(e[i]), true);
            store.WriteInteger(s, "ProgD " + k, std::get<1>(e[i]), true);
            store.WriteInteger(s, "ProgF " + k, std::get<2>(e[i]), true);
        }
    }
    std::string Read(const std::string& section, const std::string& key) const {
        return store.ReadText(section, key, "<none>", true);
    }
    // A track change seen by the playback monitor.
    void ChangeTrack(int track) {
        player.current = track;
        player.position = 0;
        option.CurrentTrack = track;
        programmes.ProgrammeStep(true);
    }
    void TickAt(int seconds) {
        player.position = seconds;
        if (option.ProgLecture) programmes.ProgrammeStep(false);
    }

    COption option;
    PlaylistPlayer player;
    NotingBar bar;
    CProgrammes programmes{option, store, player, bar};
};

} // namespace

TEST_F(Programmes, RecordingTakesEachTrackChangeIntoTheCurrentProgramme) {
    player.current = 4; // playing when recording starts: not taken
    programmes.Enregistre(false);
    ChangeTrack(5);
    ChangeTrack(2);
    ChangeTrack(9);

    // The keys of each entry run on the simulator; here, what they do not show.
    const std::string s = ProgrammeSection("PlayList");
    EXPECT_EQ(Read("Programme", "ProgTitre 0"), "PlayList");
    EXPECT_EQ(Read(s, "ProgD 2"), "0");
    EXPECT_EQ(Read(s, "ProgF 2"), "0");
    EXPECT_TRUE(player.jumps.empty()); // recording never moves the player

    ChangeTrack(11); // its file name is unknown: not taken
    programmes.Enregistre(false);
    ChangeTrack(3);
    EXPECT_EQ(option.Programme.size(), 3u);
    EXPECT_FALSE(bar.enregistrerChecked);
}

TEST_F(Programmes, ReplayFollowsStartAndEndPoints) {
    Store("Soir", {{"piste3.mp3", 30, 90},
                   {"piste7.mp3", 0, 0},
                   {"piste1.mp3", 30, 0},
                   {"piste8.mp3", 0, 0}});
    programmes.Lecture(false, "Soir");
    EXPECT_EQ(option.ProgTitre, "Soir");
    ASSERT_EQ(player.jumps.size(), 1u);
    EXPECT_EQ(player.jumps[0], std::make_pair(3, 30));
    EXPECT_EQ(option.CurrentTrack, 3); // our jump is not a track change

    TickAt(60);
    TickAt(90);
    EXPECT_EQ(player.jumps.size(), 1u); // inside its window
    TickAt(91);
    ASSERT_EQ(player.jumps.size(), 2u);
    EXPECT_EQ(player.jumps[1], std::make_pair(7, 0));

    TickAt(500); // a whole-track entry is left only by a track change
    EXPECT_EQ(player.jumps.size(), 2u);
    ChangeTrack(8);
    ASSERT_EQ(player.jumps.size(), 3u);
    EXPECT_EQ(player.jumps[2], std::make_pair(1, 30));

    TickAt(30); // start point 30, end point 0: left at the first check
    ASSERT_EQ(player.jumps.size(), 4u);
    EXPECT_EQ(player.jumps[3].first, 8);
    EXPECT_FALSE(option.ProgLecture); // the last entry plays on as a normal track
    TickAt(1000);
    ChangeTrack(9);
    EXPECT_EQ(player.jumps.size(), 4u);

    Store("Un", {{"piste6.mp3", 12, 40}}); // one entry: the jump, and the end at once
    programmes.Lecture(false, "Un");
    EXPECT_EQ(player.jumps.back(), std::make_pair(6, 12));
    EXPECT_FALSE(option.ProgLecture);
    EXPECT_FALSE(bar.lireChecked);
}

TEST_F(Programmes, EntriesWhoseFileLeftThePlaylistAreSkipped) {
    Store("PlayList",
          {{"piste1.mp3", 0, 0}, {"retiree.mp3", 0, 0}, {"", 0, 0}, {"piste4.mp3", 0, 0}});
    player.names[0] = "piste4.mp3"; // the playlist was reordered
    player.names[3] = "piste1.mp3";
    programmes.ProgrammeLoad("PlayList", true);
    std::vector<int> tracks;
    for (const TProg& entry : option.Programme)
        tracks.push_back(entry.N);
    EXPECT_EQ(tracks, (std::vector<int>{4, 0, 0, 1}));

    programmes.Lecture(false, "");
    ChangeTrack(5);
    ASSERT_EQ(player.jumps.size(), 2u);
    EXPECT_EQ(player.jumps[1].first, 1);
    EXPECT_FALSE(option.ProgLecture);
}

TEST_F(Programmes, GoingBackFromTheFirstEntryPlaysItAgainAndAStoppedPlayerHoldsReplay) {
    Store("PlayList", {{"piste2.mp3", 5, 20}, {"piste3.mp3", 0, 0}, {"piste4.mp3", 0, 0}});
    programmes.ProgrammeLoad("PlayList", true);
    programmes.Lecture(false, "");
    ASSERT_EQ(option.ProgPos, 0);
    option.ProgPos = std::max(option.ProgPos - 2, -1); // what "Reculer" does during replay
    programmes.ProgrammeNext();
    ASSERT_EQ(player.jumps.size(), 2u);
    EXPECT_EQ(player.jumps[1], std::make_pair(2, 5));
    EXPECT_TRUE(option.ProgLecture);

    player.state = PlayerState::Stopped;
    TickAt(50);
    programmes.ProgrammeNext();
    EXPECT_EQ(player.jumps.size(), 2u);
    EXPECT_TRUE(option.ProgLecture);
    player.state = PlayerState::Paused; // paused counts as playing
    TickAt(50);
    EXPECT_EQ(player.jumps.size(), 3u);
}

TEST_F(Programmes, ReplayResumesAtTheSavedEntryAfterARestart) {
    Store("PlayList",
          {{"piste1.mp3", 0, 0}, {"piste2.mp3", 0, 0}, {"piste3.mp3", 0, 0}, {"piste4.mp3", 0, 0}});
    store.WriteBoolean("Programme", "ProgLecture", true, true);
    store.WriteInteger("Programme", "ProgPos", 2, true);
    option.Load(store, programmes.Lookup());
    ASSERT_LT(option.ProgPos, -1);
    programmes.Lecture(true, ""); // the bar applies the settings
    ASSERT_EQ(player.jumps.size(), 1u);
    EXPECT_EQ(player.jumps[0].first, 3); // the entry of index 2
    EXPECT_TRUE(option.ProgLecture);

    programmes.Lecture(false, ""); // off, then on again: from the start
    programmes.Lecture(false, "");
    EXPECT_EQ(player.jumps.back().first, 1);
}

TEST_F(Programmes, TheActionTogglesReplayByNameAndRecordingAndReplayExcludeEachOther) {
    Store("PlayList", {{"piste1.mp3", 0, 0}, {"piste2.mp3", 0, 0}});
    Store("Autre", {{"piste5.mp3", 0, 0}, {"piste6.mp3", 0, 0}});
    programmes.ProgrammeLoad("PlayList", true);
    player.state = PlayerState::Stopped;
    programmes.Lecture(false, "PlayList"); // starts the player too
    EXPECT_TRUE(option.ProgLecture);
    EXPECT_EQ(player.state, PlayerState::Playing);
    programmes.Lecture(false, "PlayList"); // the current name: a toggle
    EXPECT_FALSE(option.ProgLecture);
    programmes.Lecture(false, "PlayList");
    programmes.Lecture(false, "Autre"); // another name: loaded and started, even while on
    EXPECT_TRUE(option.ProgLecture);
    EXPECT_EQ(option.ProgTitre, "Autre");
    EXPECT_EQ(player.jumps.back().first, 5);
    programmes.Lecture(true, ""); // the flag only shows the state
    EXPECT_TRUE(option.ProgLecture);
    EXPECT_TRUE(bar.lireChecked);
    EXPECT_GE(bar.playPictures, 5);

    const int stopPictures = bar.stopPictures;
    programmes.Enregistre(false); // recording and replay exclude each other
    EXPECT_GT(bar.stopPictures, stopPictures);
    EXPECT_TRUE(option.ProgEnreg);
    EXPECT_FALSE(option.ProgLecture);
    EXPECT_FALSE(bar.lireChecked);
    programmes.Lecture(false, "");
    EXPECT_TRUE(option.ProgLecture);
    EXPECT_FALSE(option.ProgEnreg);
    EXPECT_FALSE(bar.enregistrerChecked);
}

TEST_F(Programmes, ANameOutsideTheCodePageStaysTheCurrentProgramme) {
    // The file keeps the "Ł" and "ź" of the name: a shortcut naming it toggles.
    Store("Łódź", {{"piste3.mp3", 0, 0}, {"piste4.mp3", 0, 0}});
    programmes.ProgrammeLoad("Łódź", true);
    ASSERT_EQ(option.Programme.size(), 2u);
    programmes.Lecture(false, "");
    EXPECT_TRUE(option.ProgLecture);
    programmes.Lecture(false, "Łódź"); // the current programme: a toggle
    EXPECT_FALSE(option.ProgLecture);
    EXPECT_EQ(player.jumps.size(), 1u);
}

TEST_F(Programmes, NoPositionOutsideTheProgrammeIsEverRead) {
    Store("PlayList", {{"piste1.mp3", 0, 0}, {"piste2.mp3", 0, 0}, {"piste3.mp3", 0, 0}});
    programmes.ProgrammeLoad("PlayList", true);

    // Switched on while the loop mode holds it back: no entry is reached.
    option.LoopOn = true;
    programmes.Lecture(false, "");
    EXPECT_TRUE(option.ProgLecture);
    EXPECT_EQ(option.ProgPos, -1);
    TickAt(10);
    ChangeTrack(7);
    EXPECT_TRUE(player.jumps.empty());
    option.LoopOn = false;
    TickAt(11); // the first tick after the loop mode: the first entry
    ASSERT_EQ(player.jumps.size(), 1u);
    EXPECT_EQ(player.jumps[0].first, 1);

    // The programme got shorter under a running replay.
    option.ProgPos = 7;
    TickAt(12);
    EXPECT_FALSE(option.ProgLecture);
    EXPECT_EQ(player.jumps.size(), 1u);

    // A resume mark beyond the end, or far below -1.
    for (int mark : {-50, INT_MIN}) {
        option.ProgLecture = true;
        option.ProgPos = mark;
        TickAt(13);
        option.ProgPos = mark;
        programmes.Lecture(true, "");
        EXPECT_FALSE(option.ProgLecture);
    }
    EXPECT_EQ(player.jumps.size(), 1u);
}
