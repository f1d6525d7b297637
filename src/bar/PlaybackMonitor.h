#pragma once
// The bar's 500 ms tick: time, progress, title and shuffle indicator, auto-hide,
// track changes with the loop, excerpt and shuffle-history modes, blinking of
// the programme buttons, and the end of the program when the player is gone.
#include <string>
#include <string_view>

namespace pilotune {

struct BarState;
class Dispatcher;

class PlaybackMonitor {
  public:
    PlaybackMonitor(BarState& bar, Dispatcher& dispatcher) : bar_(bar), dispatcher_(dispatcher) {}

    // At the bar's creation: the current track becomes the first one recorded.
    void Start();
    void Tick();
    // Every mouse movement over the bar.
    void MouseMoved();

    // Title labels := title + state text, also as their hint.
    void TitleRefresh();
    // After BOUCLE's toggle: count labels, loop menu marks, LoopTrack, mode picture.
    void ApplyLoop();
    // A click on an item of ppmBoucle.
    void LoopMenuClick(std::string_view itemName);
    void UpdateModePicture();
    // While the options dialog writes the settings, a track change waits for the next tick.
    void HoldTrackChanges(bool hold) { holdTrackChanges_ = hold; }

  private:
    void AutoHide();
    void ShowProgress(int position, int length);
    void FollowShuffle();
    void StepProgrammeOrExcerpt(int position);
    void FollowTrackChange();
    void Blink(int position);
    void PlayerGone();
    // The title refresh, only when the player answered both its questions.
    void TitleRefreshIfAnswered();
    void ShowTitle(const std::string& text);
    void LoopStep();
    void MarkLoopMenu();
    void ShowLoopCount();

    BarState& bar_;
    Dispatcher& dispatcher_;
    bool closing_ = false; // the program's end was asked once
    bool holdTrackChanges_ = false;
};

} // namespace pilotune
