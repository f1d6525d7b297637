// The player simulator is a test double: this checks that it answers the
// player's message table as the real player does and that its inspection
// channel (freeze, position, lengths, hang, log) does what tests rely on.
// Everything else about it is exercised through the player-link tests.
#include "Simulator.h"
#include "Waiting.h"

#include <gtest/gtest.h>

#include <vector>

using namespace pilotune::testing;
using namespace winampsim;

namespace {

constexpr long long kAny = -123456;
constexpr long long kNoAnswer = -999999;

// One message to the simulator, then what its answer, the status (104), the
// current entry (125) and the position (105/0) must be (kAny: not checked).
struct Step {
    const char* what;
    UINT msg;
    WPARAM w;
    LPARAM l;
    long long answer, status, entry, position;
};

void Play(Simulator& sim, const std::vector<Step>& steps) {
    for (const Step& s : steps) {
        const long long answer = sim.Send(s.msg, s.w, s.l);
        if (s.answer != kAny) EXPECT_EQ(answer, s.answer) << s.what;
        if (s.status != kAny) EXPECT_EQ(sim.User(104), s.status) << s.what;
        if (s.entry != kAny) EXPECT_EQ(sim.User(125), s.entry) << s.what;
        if (s.position != kAny) EXPECT_EQ(sim.User(105, 0), s.position) << s.what;
    }
}

TEST(SimulatorConformance, MessageTableAndInspectionChannel) {
    Simulator sim({.tracks = 5});
    ASSERT_NE(sim.Window(), nullptr);
    EXPECT_EQ(sim.User(124), 5);
    EXPECT_EQ(sim.Caption(), L"1. Élise Fontaine - Les quais de septembre - Winamp [Stopped]");
    const long long length = sim.User(105, 1);
    EXPECT_GE(length, 120);
    EXPECT_LE(length, 360);
    EXPECT_EQ(sim.User(105, 2), length * 1000);
    sim.Freeze(true); // positions move only when told
    sim.SetLength(2, 100);
    sim.SetLength(3, -1);

    const UINT C = WM_COMMAND, U = WM_USER;
    Play(sim, {
                  {"stopped at start", U, 0, 250, 0, 0, 0, -1},
                  {"no seek while stopped", U, 1000, 106, -1, 0, 0, -1},
                  {"no position while stopped", kSimSetPosition, 5000, 0, -1, 0, 0, -1},
                  {"play", C, 40045, 0, kAny, 1, 0, 0},
                  {"set position", kSimSetPosition, 61500, 0, 0, 1, 0, 61500},
                  {"seek", U, 30000, 106, 0, 1, 0, 30000},
                  {"pause", C, 40046, 0, kAny, 3, 0, 30000},
                  {"second pause resumes", C, 40046, 0, kAny, 1, 0, 30000},
                  {"next starts from 0", C, 40048, 0, kAny, 1, 1, 0},
                  {"1 ms before the end", kSimSetPosition, 99999, 0, 0, 1, 1, 99999},
                  {"end of track moves on", kSimSetPosition, 100000, 0, 0, 1, 2, 0},
                  {"unknown length never ends", kSimSetPosition, 100000000, 0, 0, 1, 2, kAny},
                  {"previous", C, 40044, 0, kAny, 1, 1, 0},
                  {"seek past the end moves on", U, 100000, 106, 1, 1, 2, 0},
                  {"select entry", U, 4, 121, kAny, 1, 4, 0},
                  {"next on the last goes to the first", C, 40048, 0, kAny, 1, 0, 0},
                  {"previous on the first goes to the last", C, 40044, 0, kAny, 1, 4, 0},
                  {"entry outside the list ignored", U, 99, 121, kAny, 1, 4, 0},
                  {"stop", C, 40047, 0, kAny, 0, 4, -1},
                  {"pause while stopped does nothing", C, 40046, 0, kAny, 0, 4, -1},
                  {"shuffle on", C, 40023, 0, kAny, 0, 4, kAny},
                  {"shuffle state", U, 0, 250, 1, 0, 4, kAny},
                  {"shuffle off", C, 40023, 0, kAny, 0, 4, kAny},
                  {"unknown query answers 0", U, 0, 999, 0, 0, 4, kAny},
                  {"unknown message answers 0", WM_USER + 77, 1, 2, 0, kAny, kAny, kAny},
              });
    // Select then play starts the entry from 0, even while paused elsewhere.
    Play(sim, {{"play", C, 40045, 0, kAny, 1, 4, 0},
               {"position", kSimSetPosition, 50000, 0, 0, 1, 4, 50000},
               {"paused", C, 40046, 0, kAny, 3, 4, 50000},
               {"select while paused", U, 1, 121, kAny, kAny, 1, kAny},
               {"play the selected entry", C, 40045, 0, kAny, 1, 1, 0}});
    EXPECT_EQ(sim.User(105, 1), 100);
    EXPECT_EQ(sim.Caption(), L"2. Marc Dubreuil - Route nationale - Winamp");
    sim.Command(40046);
    EXPECT_EQ(sim.Caption(), L"2. Marc Dubreuil - Route nationale - Winamp [Paused]");

    sim.Command(40001);
    EXPECT_TRUE(WaitFor([&] { return !sim.Alive(); })) << "40001 closes the player";
    EXPECT_EQ(FindWindowW(L"Winamp v1.x", nullptr), nullptr);
    EXPECT_EQ(sim.User(104), kNoAnswer);
}

// WACUP's string moves at each call; foobar2000 counts its caption from 0,
// only pauses, and leaves 125 and 105 with wParam 2 behind.
TEST(SimulatorConformance, WacupMovesItsStringsFoobarHasItsOwnWays) {
    {
        Simulator wacup({.tracks = 3, .args = L"/profile=wacup"});
        const long long first = wacup.User(338);
        EXPECT_GT(first, 1);
        EXPECT_NE(wacup.User(338), first);
    }
    Simulator foobar({.play = true, .tracks = 3, .args = L"--profile foobar2000"});
    EXPECT_EQ(foobar.Caption(), L"0. Élise Fontaine - Les quais de septembre - Winamp");
    EXPECT_EQ(foobar.User(338), 0);
    EXPECT_EQ(foobar.User(105, 2), 0);
    foobar.Command(40048);
    EXPECT_EQ(foobar.User(125), 0);
    foobar.Command(40046);
    foobar.Command(40046);
    EXPECT_EQ(foobar.User(104), 3);
}

// A hung simulator blocks its senders, and the next one closes it first.
TEST(SimulatorConformance, HangBlocksSendersANewSimulatorClosesIt) {
    Simulator first;
    ASSERT_NE(first.Window(), nullptr);
    first.Hang(3000);
    DWORD_PTR result = 0;
    EXPECT_FALSE(SendMessageTimeoutW(first.Window(), WM_USER, 0, 104, SMTO_NORMAL, 200, &result));

    Simulator sim;
    ASSERT_NE(sim.Window(), nullptr);
    EXPECT_FALSE(first.Alive());
    EXPECT_EQ(FindWindowW(L"Winamp v1.x", nullptr), sim.Window());
    EXPECT_EQ(sim.User(104), 0);
}

} // namespace
