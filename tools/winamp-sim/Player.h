#pragma once
// The simulated player's state: playlist, current entry, play state, shuffle
// order and a clock that runs at a speed factor. No Windows here: the caller
// feeds the current time (ms) through Advance before every query or command.
#include "Track.h"

#include <algorithm>
#include <random>
#include <vector>

namespace winampsim {

enum class PlayState { Stopped = 0, Playing = 1, Paused = 3 };

class Player {
  public:
    Player(std::vector<Track> tracks, double speed, unsigned seed);

    // Moves the clock to nowMs; at the end of a track moves to the next entry
    // (shuffle order when shuffle is on) or stops after the last one. Moves at
    // most one entry per call.
    void Advance(double nowMs);

    PlayState State() const { return state_; }
    int Current() const { return current_; } // 0-based
    int Count() const { return static_cast<int>(tracks_.size()); }
    bool Shuffle() const { return shuffle_; }
    bool Repeat() const { return repeat_; }
    int Volume() const { return volume_; } // 0..255
    bool Frozen() const { return frozen_; }
    double Speed() const { return speed_; }
    long long PositionMs() const; // -1 when stopped
    int LengthSeconds() const;    // current entry; -1 unknown or empty playlist
    const std::vector<Track>& Tracks() const { return tracks_; }
    const std::vector<int>& ShuffleOrder() const { return order_; }

    void Play();        // stopped: from 0; paused: resumes; playing: restarts the entry
    void TogglePause(); // playing <-> paused; nothing when stopped
    void Stop();
    void Next();     // wraps from the last entry to the first
    void Previous(); // wraps from the first entry to the last
    void ToggleShuffle();
    void ToggleRepeat() { repeat_ = !repeat_; }
    void SetVolume(long long level) { volume_ = static_cast<int>(std::clamp(level, 0LL, 255LL)); }
    int Seek(long long ms); // 0 done, -1 stopped, 1 past the end (moves to the next entry)
    bool Select(int index); // makes index current from 0, play state unchanged

    bool SetPosition(long long ms); // false when stopped
    bool SetLength(int index, int seconds);
    void Freeze(bool on) { frozen_ = on; }
    void SetSpeed(double speed);

  private:
    void MoveTo(int index);
    void NewShuffleOrder();
    int OrderIndexOf(int index) const;
    bool AtEnd() const;

    std::vector<Track> tracks_;
    double speed_;
    std::mt19937 rng_;
    PlayState state_ = PlayState::Stopped;
    int current_ = 0;
    double positionMs_ = 0;
    double lastNow_ = -1;
    bool frozen_ = false;
    bool shuffle_ = false;
    bool repeat_ = false; // after the last entry, the first plays
    int volume_ = 200;
    std::vector<int> order_; // shuffle order: entry indexes, current one first when built
};

} // namespace winampsim
