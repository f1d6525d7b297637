// The playback monitor and the dispatcher against the real simulator process:
// the test drives the ticks and moves the simulator's frozen clock itself.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "QuietServices.h"
#include "Simulator.h"
#include "Waiting.h"
#include "bar/BarLogic.h"
#include "player/Winamp.h"
#include "player/WinampWin32.h"
#include "base/EncodingWin32.h"
#include "settings/Option.h"
#include "settings/SettingsStore.h"

using namespace pilotune;
using namespace pilotune::testing;

namespace {

// The real player window, with a hook that runs before each send goes out.
class TappedWindow final : public PlayerWindow {
  public:
    explicit TappedWindow(Win32PlayerWindow& inner) : inner_(inner) {}
    std::function<void()> beforeSend;

    bool Find() override { return inner_.Find(); }
    bool Exists() override { return inner_.Exists(); }
    std::optional<std::intptr_t> Send(unsigned msg, std::uintptr_t w, std::intptr_t l) override {
        if (beforeSend) beforeSend();
        return inner_.Send(msg, w, l);
    }
    void Post(unsigned msg, std::uintptr_t w, std::intptr_t l) override { inner_.Post(msg, w, l); }
    std::optional<std::string> Caption() override { return inner_.Caption(); }
    void Show(bool v) override { inner_.Show(v); }
    void RaiseSearchWindow() override { inner_.RaiseSearchWindow(); }

  private:
    Win32PlayerWindow& inner_;
};

struct BarOnSimulator : ::testing::Test {
    // The simulator's clock stands still: the test moves the position itself.
    explicit BarOnSimulator(Simulator::Options o = {.play = true, .tracks = 12}) : sim(o) {}
    void SetUp() override {
        sim.Freeze(true);
        link.Connecter();
        ASSERT_EQ(window.Handle(), sim.Window());
        bar.monitor.Start();
        LayoutBar(bar.state.scene, 1024, 450);
    }
    // The position moves to `ms`, then the bar's tick runs.
    void TickAt(int ms) {
        sim.SetPosition(ms);
        bar.monitor.Tick();
    }
    int Logged(unsigned msg, long long w, long long l) {
        int n = 0;
        for (const auto& m : sim.Log())
            n += m.msg == msg && m.wParam == w && m.lParam == l;
        return n;
    }

    Simulator sim;
    Win32PlayerWindow window;
    TappedWindow tap{window};
    Win32PlayerSystem system;
    TPilotune link{tap, system, Narrow(SimulatorExe())};
    COption option;
    SettingsStore store;
    QuietServices services;
    BarLogic bar{option, link, store, services};
};

struct ShuffleOnSimulator : BarOnSimulator {
    ShuffleOnSimulator()
        : BarOnSimulator({.speed = 1, .play = true, .shuffle = true, .tracks = 30}) {}
    // The playing track ends (the simulator moves on in its shuffle order).
    void EndTrack() { TickAt(link.Duree() * 1000); }
    void Back() {
        bar.dispatcher.ExecuterAction(RECULER, true);
        bar.monitor.Tick();
    }
    void Forward() {
        bar.dispatcher.ExecuterAction(AVANCER, true);
        bar.monitor.Tick();
    }
};

} // namespace

TEST_F(BarOnSimulator, ALoopCountOfTwoPlaysTheTrackTwiceMoreThenGoesOn) {
    for (int t = 1; t <= 4; ++t)
        sim.SetLength(t, 6);
    link.JouerTitre(1);
    option.NbBoucle = 2;
    bar.dispatcher.ExecuterAction(BOUCLE, false);
    ASSERT_EQ(option.LoopTrack, 1);
    sim.ClearLog();

    for (int loopsLeft : {1, 0}) { // track 1 ends and comes back
        TickAt(6000);
        EXPECT_EQ(link.NumeroTitre(), 1) << loopsLeft;
        EXPECT_EQ(option.NbBoucle, loopsLeft);
    }
    EXPECT_FALSE(option.LoopOn);
    EXPECT_EQ(Logged(WM_USER, 0, kQuerySetPosition), 2); // track 1 chosen twice
    EXPECT_EQ(bar.state.scene["lblNbBoucleB"].text, "");

    TickAt(6000);
    TickAt(6000);
    EXPECT_EQ(link.NumeroTitre(), 3); // the loop no longer holds it back
    EXPECT_EQ(Logged(WM_USER, 0, kQuerySetPosition), 2);
}

// The simulator hangs just before one of the tick's questions goes out, so
// the tick gets some answers and then none: it is no change of track, and
// once the player answers again the next tick sees the same track.
TEST_F(BarOnSimulator, APlayerThatHangsMidTickIsNoTrackChange) {
    link.JouerTitre(5);
    bar.monitor.Tick();
    ASSERT_EQ(option.CurrentTrack, 5);
    option.NbBoucle = 3;
    bar.dispatcher.ExecuterAction(BOUCLE, false);
    ASSERT_EQ(option.LoopTrack, 5);
    const std::string title = bar.state.scene["lblTitreB"].text;
    ASSERT_EQ(title.rfind("5. ", 0), 0u) << title;
    for (int hangBefore = 0; hangBefore <= 4; ++hangBefore) {
        sim.ClearLog();
        services.calls.clear();
        int sends = 0;
        tap.beforeSend = [&] {
            if (sends++ == hangBefore) sim.Hang(1200);
        };
        bar.monitor.Tick();
        tap.beforeSend = nullptr;
        ASSERT_GT(sends, hangBefore);
        ASSERT_TRUE(WaitFor([&] { return sim.User(kQueryState) == 1; }, 5000));
        bar.monitor.Tick();
        EXPECT_EQ(option.CurrentTrack, 5) << hangBefore;
        EXPECT_EQ(option.NbBoucle, 3) << hangBefore;
        EXPECT_EQ(services.calls["ScheduleEvaluate"], 0) << hangBefore;
        EXPECT_EQ(services.calls["ProgrammeStep"], 0) << hangBefore;
        EXPECT_EQ(Logged(WM_USER, 4, kQuerySetPosition), 0) << hangBefore;
        EXPECT_EQ(Logged(WM_COMMAND, kCmdPlay, 0), 0) << hangBefore;
        EXPECT_EQ(bar.state.scene["lblTitreB"].text, title) << hangBefore;
    }
    EXPECT_EQ(link.NumeroTitre(), 5);
}

TEST_F(BarOnSimulator, ExcerptModeMovesOnAtTheExcerptLengthOfPlayerTime) {
    option.NbExtrait = 4;
    bar.dispatcher.ExecuterAction(EXTRAIT, false);
    link.JouerTitre(1);
    sim.ClearLog();
    for (int track = 1; track <= 3; ++track) {
        TickAt(3999);
        EXPECT_EQ(Logged(WM_COMMAND, kCmdNext, 0), track - 1) << "moved on early, " << track;
        TickAt(4000);
        EXPECT_EQ(Logged(WM_COMMAND, kCmdNext, 0), track) << "did not move on, " << track;
        EXPECT_EQ(link.NumeroTitre(), track + 1);
    }
}

TEST_F(ShuffleOnSimulator, BackAndForwardWalkTheTracksReallyPlayed) {
    std::vector<int> played{link.NumeroTitre()};
    for (int i = 0; i < 4; ++i) {
        EndTrack();
        played.push_back(link.NumeroTitre());
    }
    ASSERT_EQ(option.CurrentTrack, played.back());
    for (int k = 3; k >= 0; --k) {
        Back();
        EXPECT_EQ(link.NumeroTitre(), played[k]) << k;
    }
    sim.ClearLog();
    Back(); // older than the start: the player's own previous, remembered
    EXPECT_EQ(Logged(WM_COMMAND, kCmdPrevious, 0), 1);
    const int older = link.NumeroTitre();
    for (int k = 0; k <= 4; ++k) {
        Forward();
        EXPECT_EQ(link.NumeroTitre(), played[k]) << k;
    }
    sim.ClearLog();
    Forward(); // newest: the player's next
    EXPECT_EQ(Logged(WM_COMMAND, kCmdNext, 0), 1);
    for (int k = 0; k < 6; ++k)
        Back(); // the new track, the five played, the older one
    EXPECT_EQ(link.NumeroTitre(), older);

    bar.OpenTrackMenu();
    const Menu& menu = bar.state.menus.liste;
    EXPECT_TRUE(menu.Items()[0].visible);
    EXPECT_EQ(menu.Items()[1].caption.rfind(std::to_string(played[4]) + ". ", 0), 0u)
        << menu.Items()[1].caption;
    EXPECT_NE(menu.Items()[1].caption.find(".mp3"), std::string::npos);
}
