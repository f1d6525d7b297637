// Recording and replaying a programme through the bar's tick, against the
// simulator (the programme lands in the settings file), and the dialog that
// chooses one, driven from another thread as a user would.
#include <gtest/gtest.h>

#include <functional>

#include "../schedule/BarHarness.h"
#include "ModalDriver.h"
#include "programmes/FProgLireWin32.h"
#include "player/Playlist.h"
#include "schedule/Action.h"

using namespace pilotune;
using namespace pilotune::testing;

namespace {

struct ProgrammeOnSimulator : ::testing::Test {
    BarHarness h{{.speed = 4, .play = true, .tracks = 8}};
    std::string Name(int track) { return std::string(FileNamePart(h.link.FichierTitre(track))); }
};

} // namespace

TEST_F(ProgrammeOnSimulator, RecordingWritesTheTracksPlayedIntoTheSettingsFile) {
    h.Start();
    h.bar.dispatcher.ExecuterAction(ENREGISTREPROGRAMME, false);
    EXPECT_TRUE(h.bar.state.menus.principale[kMnuEnregistrerProg].checked);
    std::vector<int> played;
    for (int k = 0; k < 3; ++k) {
        h.sim.Command(kCmdNext);
        const int track = static_cast<int>(h.sim.User(kQueryWritePlaylist)) + 1;
        played.push_back(track);
        ASSERT_TRUE(h.RunUntil([&] { return h.option.CurrentTrack == track; }, 3000)) << k;
    }
    h.bar.dispatcher.ExecuterAction(STOPPER, false); // ends recording, not playback
    EXPECT_FALSE(h.option.ProgEnreg);
    EXPECT_EQ(h.link.Etat(), PlayerState::Playing);
    ASSERT_TRUE(h.store.Flush().ok);

    const std::string text = h.FileText();
    const std::string user = h.store.UserName();
    EXPECT_NE(text.find("[" + user + " Programme PlayList]"), std::string::npos) << text;
    EXPECT_NE(text.find("nbProgTitre=1"), std::string::npos);
    EXPECT_NE(text.find("ProgNb=3"), std::string::npos);
    for (int k = 0; k < 3; ++k) {
        const std::string i = std::to_string(k);
        EXPECT_NE(text.find("ProgN " + i + "=" + std::to_string(played[k])), std::string::npos);
        EXPECT_NE(text.find("ProgT " + i + "=" + Name(played[k])), std::string::npos) << text;
    }
}

TEST_F(ProgrammeOnSimulator, ReplayJumpsToEachEntryAndSeeksToItsStart) {
    for (int t = 1; t <= 8; ++t)
        h.sim.SetLength(t, 120);
    const std::string section = ProgrammeSection("Soir");
    const int tracks[] = {5, 2, 7};
    const int starts[] = {10, 20, 0};
    const int ends[] = {14, 24, 0};
    h.store.WriteInteger(section, "ProgNb", 3, true);
    for (int k = 0; k < 3; ++k) {
        const std::string i = std::to_string(k);
        h.store.WriteText(section, "ProgT " + i, Name(tracks[k]), true);
        h.store.WriteInteger(section, "ProgD " + i, starts[k], true);
        h.store.WriteInteger(section, "ProgF " + i, ends[k], true);
    }
    h.Start();
    h.sim.ClearLog();
    h.bar.dispatcher.ExecuterAction(LECTUREPROGRAMME, false, "Soir");
    EXPECT_TRUE(h.bar.state.menus.principale[kMnuLireProg].checked);
    // Each window lasts 4 s of player time, 1 s at speed 4.
    ASSERT_TRUE(h.RunUntil([&] { return !h.option.ProgLecture; }, 8000));
    EXPECT_EQ(h.link.NumeroTitre(), 7);
    EXPECT_FALSE(h.bar.state.menus.principale[kMnuLireProg].checked);

    std::vector<std::pair<long long, long long>> jumps; // (0-based track, seek ms)
    for (const auto& m : h.sim.Log()) {
        if (m.msg == WM_USER && m.lParam == kQuerySetPosition) jumps.push_back({m.wParam, -1});
        if (m.msg == WM_USER && m.lParam == kQuerySeek && !jumps.empty())
            jumps.back().second = m.wParam;
    }
    ASSERT_EQ(jumps.size(), 3u);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(jumps[k].first, tracks[k] - 1) << k;
        EXPECT_EQ(jumps[k].second, starts[k] * 1000) << k;
    }
    h.RunUntil([] { return false; }, 1500); // the last entry plays on
    EXPECT_EQ(h.link.NumeroTitre(), 7);
}

TEST(ProgLire, OkReturnsTheSelectedTextAndAnnulerNothing) {
    TfrmProgLire dialog;
    std::string caption, label;
    // Shows the choice among `items` while another thread runs `user` on it.
    auto choose = [&](const std::vector<std::string>& items, std::function<void(HWND)> user,
                      const ProgLireTexts& texts = kProgLireProgramme) {
        ModalDriver driver(kProgLireClass, [&](HWND box) {
            caption = TextOf(box);
            label = TextOf(GetDlgItem(box, kLblProgLireId));
            user(box);
        });
        return dialog.Choisir(nullptr, items, texts);
    };
    const auto chosen = choose({"PlayList", "Soirée", "Réveil"}, [](HWND box) {
        SendMessageW(GetDlgItem(box, kCbxProgTitreId), CB_SETCURSEL, 2, 0);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(caption, "Lecture du programme");
    EXPECT_EQ(label, "Sélectionnez le programme que vous voulez lire :");
    ASSERT_TRUE(chosen);
    EXPECT_EQ(*chosen, "Réveil");
    EXPECT_EQ(dialog.Tag(), 1);

    const auto cancel = [](HWND box) { PostMessageW(box, WM_COMMAND, IDCANCEL, 0); };
    EXPECT_FALSE(choose({"0 - Jouer", "1 - Pause"}, cancel, kProgLireAction));
    EXPECT_EQ(caption, "Liste des actions en cours");
    EXPECT_EQ(dialog.Tag(), 0);
    EXPECT_FALSE(choose({"a"}, [](HWND box) { PostMessageW(box, WM_CLOSE, 0, 0); }));
    EXPECT_FALSE(choose({}, [](HWND box) { PostMessageW(box, WM_COMMAND, IDOK, 0); }));
    EXPECT_EQ(dialog.Tag(), 1); // nothing to choose
}
