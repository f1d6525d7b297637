#pragma once
// The actions on the player's volume, position, repeat and end of track, the
// state they keep on the bar, and what the playback tick does for them. A
// player that gives no answer leaves an action without effect: nothing is
// ever set from a guessed level or position.
#include <optional>
#include <string>

namespace pilotune {

struct BarState;

// The playback tick's interval; a fade lowers the volume once per tick.
inline constexpr int kPlaybackTickMs = 500;

struct Fade {
    int from = 0;  // the level before the fade, given back after the stop
    int steps = 1; // ticks from `from` down to 0
    int done = 0;
};

struct SoundState {
    std::optional<int> volume;     // the level last seen or set
    std::optional<int> mutedLevel; // while muted: the level MUET gives back
    std::optional<Fade> fade;
    bool stopAfter = false; // stop at the next change of track
    std::optional<bool> repeat;
    int ticks = 0; // ticks followed, for the questions not asked every tick
};

// MONTERVOLUME (+1) and BAISSERVOLUME (-1): one step of VolumeStep percent.
void StepVolume(BarState& bar, int direction);
// MUET: to 0, remembering the level; again, back to it.
void ToggleMute(BarState& bar);
// AVANCERSECONDES / RECULERSECONDES: `seconds` from the position, kept
// within the track (short of its last second when going forward).
void SeekBy(BarState& bar, int seconds);
void ToggleRepeat(BarState& bar);
void ToggleStopAfter(BarState& bar);
// FONDU: over FadeSeconds(parameter), down to 0 in even steps, a stop, then
// the volume back. Again while it runs: the fade ends, the volume comes back.
void ToggleFade(BarState& bar, const std::string& parameter);

// Every tick, whatever the player answered: the fade's next step.
void StepFade(BarState& bar);
// Ticks with a track: a volume or repeat change made in the player itself.
// The volume is asked each tick only while something follows it (the
// on-screen display of volume changes, or a mute that the player's own
// volume can end); the repeat state, shown on the bar only, every
// kRepeatEveryTicks ticks. Each question is one more round trip to the
// player per tick, which an idle bar pays all day.
void FollowVolumeAndRepeat(BarState& bar);
inline constexpr int kRepeatEveryTicks = 4;
// On a change of track: the stop asked by STOPPERAPRES.
void StopIfAsked(BarState& bar);

} // namespace pilotune
