// The simulator's clock: speed factor, the move to the next entry at the end
// of a track, the stop after the last one, shuffle order.
#include "Simulator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <vector>

using pilotune::testing::Simulator;

namespace {

TEST(SimulatorClock, PlaysThroughThePlaylistAtTheSpeedFactorThenStops) {
    Simulator::Options o;
    o.tracks = 3;
    o.play = true;
    o.speed = 20;
    Simulator sim(o);
    ASSERT_NE(sim.Window(), nullptr);
    sim.Freeze(true);
    for (int t = 1; t <= 3; ++t)
        sim.SetLength(t, 4); // 200 ms each at 20x
    sim.SetPosition(0);
    sim.Freeze(false);

    DWORD start = GetTickCount();
    std::vector<long long> seen{sim.User(125)};
    while (sim.User(104) == 1 && GetTickCount() - start < 5000) {
        long long current = sim.User(125);
        if (current != seen.back()) seen.push_back(current);
        Sleep(5);
    }
    DWORD elapsed = GetTickCount() - start;
    EXPECT_EQ(seen, (std::vector<long long>{0, 1, 2}));
    EXPECT_EQ(sim.User(104), 0) << "stops after the last entry";
    EXPECT_EQ(sim.User(125), 2) << "and stays on it";
    EXPECT_EQ(sim.Caption().find(L"3. "), 0u);
    EXPECT_GE(elapsed, 450u) << "3 x 4 s at 20x is 600 ms";
    EXPECT_LT(elapsed, 2000u);
}

TEST(SimulatorClock, EndOfTrackWithAFrozenClock) {
    Simulator::Options o;
    o.tracks = 3;
    o.play = true;
    Simulator sim(o);
    ASSERT_NE(sim.Window(), nullptr);
    sim.Freeze(true);
    sim.SetPosition(static_cast<int>(sim.User(105, 2)) - 1);
    EXPECT_EQ(sim.User(125), 0) << "one ms before the end";
    sim.SetPosition(static_cast<int>(sim.User(105, 2)));
    EXPECT_EQ(sim.User(125), 1);
    EXPECT_EQ(sim.User(104), 1);
    EXPECT_EQ(sim.User(105, 0), 0);

    sim.SetLength(2, -1);
    EXPECT_EQ(sim.User(105, 1), -1);
    EXPECT_EQ(sim.User(105, 2), -1);
    sim.SetPosition(100000000);
    EXPECT_EQ(sim.User(125), 1) << "a track of unknown length never ends by itself";
    sim.Command(40048);
    sim.Command(40046); // paused at the end does not move on
    sim.SetPosition(static_cast<int>(sim.User(105, 2)));
    EXPECT_EQ(sim.User(125), 2);
    EXPECT_EQ(sim.User(104), 3);
}

TEST(SimulatorClock, ShuffleVisitsEveryEntryOnceInAShuffledOrder) {
    Simulator::Options o;
    o.tracks = 8;
    o.play = true;
    o.shuffle = true;
    o.extraArgs = L"/seed=7";
    Simulator sim(o);
    ASSERT_NE(sim.Window(), nullptr);
    EXPECT_EQ(sim.User(250), 1);
    sim.Freeze(true);

    std::vector<long long> byNext{sim.User(125)};
    for (int i = 0; i < 7; ++i) {
        sim.Command(40048);
        byNext.push_back(sim.User(125));
    }
    for (int i = 0; i < 7; ++i)
        sim.Command(40044);
    EXPECT_EQ(sim.User(125), 0) << "previous walks the same order back";

    std::vector<long long> played{sim.User(125)};
    for (int i = 0; i < 20 && sim.User(104) == 1; ++i) {
        sim.SetPosition(static_cast<int>(sim.User(105, 2)));
        if (sim.User(104) == 1) played.push_back(sim.User(125));
    }
    EXPECT_EQ(sim.User(104), 0) << "stops once every entry has played";
    EXPECT_EQ(played, byNext);

    std::vector<long long> sorted = played;
    std::sort(sorted.begin(), sorted.end());
    std::vector<long long> all(8);
    std::iota(all.begin(), all.end(), 0);
    EXPECT_EQ(sorted, all) << "each entry once";
    EXPECT_NE(played, all) << "not the playlist order";
}

} // namespace
