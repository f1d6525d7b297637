#pragma once
// The tracks really played while shuffle is on: a ring of 31 slots (0 = empty)
// with the latest entry at the head and the user's place at the cursor. The
// slot after the head is kept empty: it marks the oldest end.
#include <array>

#include "bar/BarMenus.h"

namespace pilotune {

class TPilotune;

class ShuffleHistory {
  public:
    static constexpr int kSlots = 31;

    ShuffleHistory() { Reset(); }

    void Reset();
    // A track now playing: appended unless it is the one under the cursor.
    void Record(int track);
    // RECULER from the bar: the track before the cursor, or the player's own
    // previous (whose choice then fills the empty slot).
    void Back(TPilotune& player);
    // AVANCER from the bar: the track after the cursor, or the player's next.
    void Forward(TPilotune& player);

    // Fills `ppmListe` as it opens: item k shows the slot k steps back from the head.
    void FillMenu(Menu& liste, TPilotune& player);
    // A click on item k of the menu filled last: plays that track.
    void MenuClick(int k, TPilotune& player);

    int Slot(int i) const { return slots_[Wrap(i)]; }
    int Head() const { return head_; }
    int Cursor() const { return cursor_; }

  private:
    static int Wrap(int i) { return ((i % kSlots) + kSlots) % kSlots; }

    std::array<int, kSlots> slots_{};
    int head_ = 0;
    int cursor_ = 0;
    std::array<int, kTrackMenuItems> menuSlots_{};  // slot shown by each item, -1 when hidden
    std::array<int, kTrackMenuItems> menuTracks_{}; // track number of its caption
};

} // namespace pilotune
