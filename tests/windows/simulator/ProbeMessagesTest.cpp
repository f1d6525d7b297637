// The simulator's inspection channel: hang, freeze, speed, lengths, the log,
// and one simulator at a time.
#include "Simulator.h"

#include <gtest/gtest.h>

#include <vector>

using pilotune::testing::Simulator;

namespace {

TEST(SimulatorInspection, HangBlocksSendersForItsDuration) {
    Simulator sim;
    ASSERT_NE(sim.Window(), nullptr);
    DWORD start = GetTickCount();
    sim.Hang(700);
    DWORD_PTR result = 0;
    SetLastError(0);
    BOOL answered = SendMessageTimeoutW(sim.Window(), WM_USER, 0, 104, SMTO_NORMAL, 200, &result);
    DWORD waited = GetTickCount() - start;
    EXPECT_FALSE(answered);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_TIMEOUT));
    EXPECT_GE(waited, 150u);
    EXPECT_LT(waited, 600u);
    EXPECT_EQ(sim.User(104), 0) << "answers again after the hang";
    EXPECT_GE(GetTickCount() - start, 600u);
}

TEST(SimulatorInspection, FreezeSpeedAndLengths) {
    Simulator::Options o;
    o.tracks = 4;
    Simulator sim(o);
    ASSERT_NE(sim.Window(), nullptr);
    EXPECT_EQ(sim.Send(winampsim::kSimSetPosition, 5000, 0), -1) << "no position while stopped";
    sim.Command(40045);
    sim.Freeze(true);
    EXPECT_EQ(sim.Send(winampsim::kSimIsFrozen, 0, 0), 1);
    sim.SetPosition(5000);
    Sleep(150);
    EXPECT_EQ(sim.User(105, 0), 5000);
    EXPECT_EQ(sim.Send(winampsim::kSimSetSpeed, 50000, 0), 0);
    sim.Freeze(false);
    EXPECT_EQ(sim.Send(winampsim::kSimIsFrozen, 0, 0), 0);
    Sleep(200);
    EXPECT_GE(sim.User(105, 0), 5000 + 4000) << "200 ms at 50x";
    EXPECT_EQ(sim.Send(winampsim::kSimSetSpeed, 0, 0), -1);

    sim.SetLength(3, 245);
    EXPECT_EQ(sim.Send(winampsim::kSimGetLength, 3, 0), 245);
    EXPECT_EQ(sim.Send(winampsim::kSimSetLength, 5, 100), -1);
    EXPECT_EQ(sim.Send(winampsim::kSimSetLength, 0, 100), -1);
    EXPECT_EQ(sim.Send(winampsim::kSimGetLength, 5, 0), -2);
    sim.User(121, 2);
    EXPECT_EQ(sim.User(105, 1), 245);
    EXPECT_EQ(sim.User(105, 2), 245000);
}

TEST(SimulatorInspection, LogsMessagesFromOutsideInOrder) {
    Simulator sim;
    ASSERT_NE(sim.Window(), nullptr);
    sim.ClearLog();
    EXPECT_TRUE(sim.Log().empty());

    sim.User(104);
    sim.Command(40045);
    sim.Caption();        // WM_GETTEXT: not in the table, not logged
    sim.Command(0x19D02); // full wParam logged as sent
    sim.User(105, 2);
    sim.Freeze(true);
    PostMessageW(sim.Window(), WM_USER, 30000, 106); // posted, as a seek is
    std::vector<Simulator::Logged> log;
    for (int i = 0; i < 200 && log.size() < 6; ++i, Sleep(5))
        log = sim.Log();
    ASSERT_EQ(log.size(), 6u);
    auto expect = [&](size_t i, unsigned msg, long long w, long long l) {
        EXPECT_EQ(log[i].msg, msg) << "line " << i;
        EXPECT_EQ(log[i].wParam, w) << "line " << i;
        EXPECT_EQ(log[i].lParam, l) << "line " << i;
    };
    expect(0, WM_USER, 0, 104);
    expect(1, WM_COMMAND, 40045, 0);
    expect(2, WM_COMMAND, 0x19D02, 0);
    expect(3, WM_USER, 2, 105);
    expect(4, winampsim::kSimFreeze, 1, 0);
    expect(5, WM_USER, 30000, 106);
    EXPECT_EQ(sim.User(105, 0), 30000) << "the posted seek was applied";

    sim.ClearLog();
    sim.User(125);
    log = sim.Log();
    ASSERT_EQ(log.size(), 1u);
    expect(0, WM_USER, 0, 125);
}

TEST(SimulatorInspection, ANewSimulatorClosesTheLeftoverOne) {
    Simulator first;
    ASSERT_NE(first.Window(), nullptr);
    first.Hang(3000); // even a hung one
    Simulator second;
    ASSERT_NE(second.Window(), nullptr);
    EXPECT_FALSE(first.Alive());
    EXPECT_EQ(FindWindowW(L"Winamp v1.x", nullptr), second.Window());
    second.Kill();
    EXPECT_FALSE(second.Alive());
}

} // namespace
