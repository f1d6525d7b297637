#include "bar/SoundActions.h"

#include <algorithm>

#include "bar/BarState.h"
#include "player/Winamp.h"
#include "schedule/Action.h"
#include "settings/Option.h"

namespace pilotune {

namespace {

void SetVolume(BarState& bar, int level) {
    bar.player.ReglerVolume(level);
    bar.sound.volume = level;
    bar.services.VolumeChanged(level);
}

void MarkMenu(BarState& bar) {
    Menu& menu = bar.menus.principale;
    menu[kMnuMuet].checked = bar.sound.mutedLevel.has_value();
    menu[kMnuFondu].checked = bar.sound.fade.has_value();
    menu[kMnuStopperApres].checked = bar.sound.stopAfter;
    menu[kMnuRepeter].checked = bar.sound.repeat.value_or(false);
}

// The indicator shows only what the player said.
void ShowRepeat(BarState& bar, std::optional<bool> repeat) {
    bar.sound.repeat = repeat;
    Twin& label = bar.twins.repeter;
    label.SetVisible(repeat.has_value());
    label.SetText(repeat.value_or(false) ? "REP" : "1X");
    label.SetHint(repeat.value_or(false) ? "Répétition de la liste : oui"
                                         : "Répétition de la liste : non");
    MarkMenu(bar);
}

} // namespace

void StepVolume(BarState& bar, int direction) {
    const std::optional<int> level = bar.player.DemanderVolume();
    if (!level) return;
    SetVolume(bar, VolumeLevel(VolumePercent(*level) + direction * bar.option.VolumeStep));
}

void ToggleMute(BarState& bar) {
    const std::optional<int> level = bar.player.DemanderVolume();
    if (!level) return;
    SoundState& sound = bar.sound;
    if (sound.mutedLevel && *level == 0) {
        const int back = *sound.mutedLevel;
        sound.mutedLevel.reset();
        SetVolume(bar, back);
    } else {
        sound.mutedLevel = *level;
        SetVolume(bar, 0);
    }
    MarkMenu(bar);
}

void SeekBy(BarState& bar, int seconds) {
    const std::optional<int> position = bar.player.DemanderPositionMs();
    if (!position) return;
    const long long step = 1000LL * seconds;
    long long target = std::max(0LL, *position + step);
    if (seconds > 0) {
        const std::optional<int> length = bar.player.DemanderDuree();
        if (!length || *length <= 0) return; // no end to stay within
        const long long last = std::max(0LL, 1000LL * *length - 1000);
        target = std::max<long long>(*position, std::min(target, last));
    }
    if (target != *position) bar.player.AllerAMs(static_cast<int>(target));
}

void ToggleRepeat(BarState& bar) {
    bar.player.BasculerRepetition();
    ShowRepeat(bar, bar.player.DemanderRepetition());
}

void ToggleStopAfter(BarState& bar) {
    bar.sound.stopAfter = !bar.sound.stopAfter;
    MarkMenu(bar);
}

void ToggleFade(BarState& bar, const std::string& parameter) {
    SoundState& sound = bar.sound;
    if (sound.fade) {
        const int back = sound.fade->from;
        sound.fade.reset();
        SetVolume(bar, back);
    } else if (const std::optional<int> level = bar.player.DemanderVolume()) {
        const int steps = std::max(1, FadeSeconds(parameter) * 1000 / kPlaybackTickMs);
        sound.fade = Fade{*level, steps, 0};
    }
    MarkMenu(bar);
}

void StepFade(BarState& bar) {
    std::optional<Fade>& fade = bar.sound.fade;
    if (!fade) return;
    ++fade->done;
    const int from = fade->from;
    const long long left = fade->steps - fade->done;
    SetVolume(bar, static_cast<int>(from * left / fade->steps));
    if (left > 0) return;
    fade.reset();
    bar.player.Stopper();
    SetVolume(bar, from);
    MarkMenu(bar);
}

void FollowVolumeAndRepeat(BarState& bar) {
    SoundState& sound = bar.sound;
    if (!bar.option.AfficheVolume && !sound.mutedLevel) {
        sound.volume.reset(); // a level seen long ago is no base for a change
    } else if (const std::optional<int> level = bar.player.DemanderVolume()) {
        if (sound.volume && *level != *sound.volume) {
            bar.services.VolumeChanged(*level);
            // Sound given back in the player: the mute is over.
            if (*level != 0 && sound.mutedLevel) {
                sound.mutedLevel.reset();
                MarkMenu(bar);
            }
        }
        sound.volume = level;
    }
    if (sound.ticks++ % kRepeatEveryTicks != 0) return;
    const std::optional<bool> repeat = bar.player.DemanderRepetition();
    if (repeat != sound.repeat) ShowRepeat(bar, repeat);
}

void StopIfAsked(BarState& bar) {
    if (!bar.sound.stopAfter) return;
    bar.sound.stopAfter = false;
    bar.player.Stopper();
    MarkMenu(bar);
}

} // namespace pilotune
