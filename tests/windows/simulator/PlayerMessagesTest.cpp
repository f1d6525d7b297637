// The simulator answers the player's message table across processes.
#include "Simulator.h"

#include <gtest/gtest.h>

using pilotune::testing::Simulator;

namespace {

constexpr long long kNoAnswer = -999999;

TEST(SimulatorMessages, QueriesAndCommandsAnswerAsThePlayer) {
    Simulator::Options o;
    o.tracks = 5;
    Simulator sim(o);
    ASSERT_NE(sim.Window(), nullptr);

    // Stopped at start, on the first of 5 entries, shuffle off.
    EXPECT_EQ(sim.User(104), 0);
    EXPECT_EQ(sim.User(105, 0), -1);
    EXPECT_EQ(sim.User(124), 5);
    EXPECT_EQ(sim.User(125), 0);
    EXPECT_EQ(sim.User(250), 0);
    EXPECT_EQ(sim.User(106, 1000), -1) << "no seek while stopped";
    long long length = sim.User(105, 1);
    EXPECT_GE(length, 120);
    EXPECT_LE(length, 360);
    EXPECT_EQ(sim.User(105, 2), length * 1000);

    sim.Command(40045);
    EXPECT_EQ(sim.User(104), 1);
    sim.Freeze(true);
    sim.SetPosition(61500);
    EXPECT_EQ(sim.User(105, 0), 61500);
    EXPECT_EQ(sim.User(106, 30000), 0);
    EXPECT_EQ(sim.User(105, 0), 30000);

    sim.Freeze(false);
    sim.Command(40046);
    EXPECT_EQ(sim.User(104), 3);
    long long paused = sim.User(105, 0);
    Sleep(150);
    EXPECT_EQ(sim.User(105, 0), paused) << "the clock holds while paused";
    sim.Command(40046);
    EXPECT_EQ(sim.User(104), 1);
    Sleep(150);
    EXPECT_GT(sim.User(105, 0), paused) << "and runs again after the second pause";

    sim.Command(40048);
    EXPECT_EQ(sim.User(125), 1);
    EXPECT_LT(sim.User(105, 0), 1000) << "the next entry starts from the beginning";
    sim.Command(40044);
    sim.Command(40044);
    EXPECT_EQ(sim.User(125), 4) << "previous on the first entry goes to the last";
    sim.Command(40048);
    EXPECT_EQ(sim.User(125), 0) << "next on the last entry goes to the first";

    sim.User(121, 3);
    EXPECT_EQ(sim.User(125), 3);
    EXPECT_EQ(sim.User(104), 1);
    sim.User(121, 99);
    EXPECT_EQ(sim.User(125), 3) << "an entry outside the list is ignored";

    sim.Command(40047);
    EXPECT_EQ(sim.User(104), 0);
    EXPECT_EQ(sim.User(105, 0), -1);
    sim.Command(40046);
    EXPECT_EQ(sim.User(104), 0) << "pause does nothing while stopped";

    // JouerTitre: select then play starts the entry from 0, even while paused elsewhere.
    sim.Command(40045);
    sim.SetPosition(50000);
    sim.Command(40046);
    sim.User(121, 2);
    sim.Command(40045);
    EXPECT_EQ(sim.User(104), 1);
    EXPECT_EQ(sim.User(125), 2);
    EXPECT_LT(sim.User(105, 0), 1000);

    sim.Command(40023);
    EXPECT_EQ(sim.User(250), 1);
    sim.Command(40023);
    EXPECT_EQ(sim.User(250), 0);

    EXPECT_EQ(sim.User(999), 0) << "unknown queries answer 0";
    EXPECT_EQ(sim.Send(WM_USER + 77, 1, 2), 0);
}

TEST(SimulatorMessages, CaptionFollowsEntryAndState) {
    Simulator::Options o;
    o.tracks = 3;
    Simulator sim(o);
    ASSERT_NE(sim.Window(), nullptr);
    EXPECT_EQ(sim.Caption(), L"1. Élise Fontaine - Les quais de septembre - Winamp [Stopped]");
    sim.Command(40045);
    EXPECT_EQ(sim.Caption(), L"1. Élise Fontaine - Les quais de septembre - Winamp");
    sim.Command(40048);
    sim.Command(40046);
    EXPECT_EQ(sim.Caption(), L"2. Marc Dubreuil - Route nationale - Winamp [Paused]");
}

TEST(SimulatorMessages, SeekPastTheEndMovesToTheNextEntry) {
    Simulator::Options o;
    o.tracks = 2;
    o.play = true;
    Simulator sim(o);
    sim.SetLength(1, 10);
    EXPECT_EQ(sim.User(106, 10000), 1);
    EXPECT_EQ(sim.User(125), 1);
    EXPECT_EQ(sim.User(104), 1);
    EXPECT_EQ(sim.User(105, 0) / 1000, 0);
}

TEST(SimulatorMessages, SearchWindowAndClose) {
    Simulator sim;
    ASSERT_NE(sim.Window(), nullptr);
    sim.Command(0x19D02); // 40194 in the low word, 1 in the high word
    HWND search = FindWindowW(L"BaseWindow_RootWnd", nullptr);
    ASSERT_NE(search, nullptr);
    DWORD pid = 0;
    GetWindowThreadProcessId(search, &pid);
    EXPECT_EQ(pid, sim.ProcessId());

    sim.Command(40001);
    for (int i = 0; i < 300 && sim.Alive(); ++i)
        Sleep(10);
    EXPECT_FALSE(sim.Alive()) << "40001 closes the player";
    EXPECT_EQ(FindWindowW(L"Winamp v1.x", nullptr), nullptr);
    EXPECT_EQ(sim.User(104), kNoAnswer);
}

} // namespace
