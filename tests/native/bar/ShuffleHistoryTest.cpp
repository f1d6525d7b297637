#include "BarFixture.h"

using namespace pilotune;
using namespace pilotune::testing;

namespace {
class Shuffle : public BarTest {
  protected:
    Shuffle() : BarTest(50) {
        window.lengths.assign(50, 4);
        window.shuffle = true;
    }
    void Back() {
        bar.dispatcher.ExecuterAction(RECULER, true);
        bar.monitor.Tick();
    }
    void Forward() {
        bar.dispatcher.ExecuterAction(AVANCER, true);
        bar.monitor.Tick();
    }
    // Lets the player go through these tracks (1-based) in shuffle order.
    void PlayThrough(std::initializer_list<int> tracks) {
        for (int t : tracks) {
            window.shuffleOrder.push_back(t - 1);
            PlayAndTick(4);
        }
    }
};
} // namespace

// Without shuffle, back and forward are the player's own; with it, back walks
// the ring (asking the player only past its start) and never passes its
// oldest end.
TEST_F(Shuffle, BackNeverPassesTheOldestEndOfTheRing) {
    window.shuffle = false;
    window.current = 5;
    StartBar();
    Back();
    Forward();
    Forward();
    EXPECT_EQ(window.Track(), 7);
    EXPECT_EQ(window.commands, (std::vector<unsigned>{kCmdPrevious, kCmdNext, kCmdNext}));
    window.commands.clear();
    window.shuffle = true;
    window.current = 0;
    bar.state.history.Reset();
    bar.monitor.Start();
    for (int i = 0; i < 29; ++i)
        window.shuffleOrder.push_back(10 + i);
    for (int i = 0; i < 40; ++i)
        Back();
    EXPECT_EQ(window.Count(kCmdPrevious), 29);
    EXPECT_EQ(window.Track(), 39); // the 29th choice, then nothing older
    const int plays = window.Count(kCmdPlay);
    for (int i = 0; i < 29; ++i)
        Forward();
    EXPECT_EQ(window.Track(), 1);
    EXPECT_EQ(window.Count(kCmdPlay), plays + 29);
    EXPECT_EQ(window.Count(kCmdNext), 0);
}

TEST_F(Shuffle, TheRingKeepsTheLatestTracksAfterWrapping) {
    StartBar(); // track 1
    std::vector<int> played{1};
    for (int t = 2; t <= 41; ++t) {
        PlayThrough({t});
        played.push_back(t);
    }
    ASSERT_EQ(window.Track(), 41);
    for (int k = 1; k <= 29; ++k) {
        Back();
        EXPECT_EQ(window.Track(), played[played.size() - 1 - k]) << k;
    }
    Back(); // older tracks were overwritten: stays where it is
    EXPECT_EQ(window.Track(), 12);
    EXPECT_EQ(window.Count(kCmdPrevious), 0);
}

TEST_F(Shuffle, TrackMenuListsThePlayedTracksNewestFirstAndPlaysTheChosenOne) {
    window.current = 2;
    StartBar();
    PlayThrough({7, 2});
    bar.OpenTrackMenu();
    const Menu& menu = bar.state.menus.liste;
    EXPECT_EQ(menu.Items()[0].caption, "2. piste2.mp3");
    EXPECT_EQ(menu.Items()[1].caption, "7. piste7.mp3");
    EXPECT_EQ(menu.Items()[2].caption, "3. piste3.mp3");
    EXPECT_TRUE(menu.Items()[0].checked);
    EXPECT_FALSE(menu.Items()[1].checked);
    for (int k = 0; k < 21; ++k)
        EXPECT_EQ(menu.Items()[k].visible, k < 3) << k;

    bar.MenuClick("ppmListe", "mnuListe2");
    bar.monitor.Tick();
    EXPECT_EQ(window.Track(), 3);
    bar.OpenTrackMenu();
    EXPECT_TRUE(menu.Items()[2].checked);
    EXPECT_FALSE(menu.Items()[0].checked);
    Forward(); // on from the chosen place in the history
    EXPECT_EQ(window.Track(), 7);

    for (int t = 10; t < 40; ++t)
        PlayThrough({t});
    bar.OpenTrackMenu();
    int visible = 0;
    for (const MenuItem& item : menu.Items())
        visible += item.visible;
    EXPECT_EQ(visible, 21);
    EXPECT_EQ(menu.Items()[20].caption, "19. piste19.mp3");
    bar.MenuClick("ppmListe", "mnuListe99"); // not an item: nothing
    bar.MenuClick("ppmListe", "mnuListe20");
    EXPECT_EQ(window.Track(), 19);
}
