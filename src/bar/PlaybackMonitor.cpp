#include "bar/PlaybackMonitor.h"

#include "bar/BarState.h"
#include "bar/Dispatcher.h"
#include "bar/Progress.h"
#include "bar/SoundActions.h"
#include "player/Winamp.h"
#include "settings/Option.h"
#include "settings/SettingsStore.h"

namespace pilotune {

namespace {
constexpr int kHideAfterTicks = 8; // collapsed on the tick after this count
constexpr int kHideCounterMax = 10;
} // namespace

void PlaybackMonitor::Start() {
    bar_.hideCounter = 0;
    bar_.history.Reset();
    bar_.option.CurrentTrack = bar_.player.NumeroTitre();
    bar_.history.Record(bar_.option.CurrentTrack);
}

void PlaybackMonitor::MouseMoved() {
    bar_.hideCounter = 0;
}

void PlaybackMonitor::Tick() {
    AutoHide();
    StepFade(bar_);
    // No answer is no player, or one that does not answer in time: the display
    // stays as it was and nothing is decided on a guess. Both 0 is no track.
    const std::optional<int> p = bar_.player.DemanderPosition();
    const std::optional<int> d = p ? bar_.player.DemanderDuree() : std::nullopt;
    if (!p || !d || (*p == 0 && *d == 0)) {
        if (!bar_.player.EstLance()) PlayerGone();
        return;
    }
    ShowProgress(*p, *d);
    TitleRefreshIfAnswered();
    FollowShuffle();
    FollowVolumeAndRepeat(bar_);
    StepProgrammeOrExcerpt(*p);
    FollowTrackChange();
    Blink(*p);
    if (bar_.services.FullScreenExists()) bar_.services.RefreshFullScreen(*p, *d);
}

// Off, the counter rests at 0 and the bar keeps its height.
void PlaybackMonitor::AutoHide() {
    const bool on = bar_.option.CacheAuto;
    if (!on) bar_.hideCounter = 0;
    if (bar_.hideCounter == 0) bar_.height = bar_.fullHeight;
    if (bar_.hideCounter > kHideAfterTicks && on) bar_.height = 1;
    if (bar_.hideCounter < kHideCounterMax && on) ++bar_.hideCounter;
}

// Progress and time, then their shadows.
void PlaybackMonitor::ShowProgress(int position, int length) {
    BarTwins& twins = bar_.twins;
    auto shown = ComputeProgress(position, length, twins.bord1.B().bounds.left,
                                 twins.bord2.B().bounds.left, bar_.option.AffichageNeg);
    if (!shown) return;
    const Rect& old = twins.avance.B().bounds;
    twins.avance.SetBounds({shown->left, old.top, shown->width, old.height});
    twins.avance.N().bounds.width += 1; // the shadow reaches one pixel further
    twins.duree.SetText(shown->time);
}

// The shuffle indicator follows the player's real state.
void PlaybackMonitor::FollowShuffle() {
    const std::optional<bool> shuffle = bar_.player.DemanderHasard();
    if (!shuffle) return;
    bar_.option.Shuffle = *shuffle;
    bar_.twins.hazard.SetText(*shuffle ? "BCA" : "ABC");
    bar_.menus.principale[kMnuHazard].checked = *shuffle;
}

void PlaybackMonitor::StepProgrammeOrExcerpt(int position) {
    COption& opt = bar_.option;
    if (opt.ProgLecture) {
        bar_.services.ProgrammeStep(false);
        if (!opt.ProgLecture) bar_.elements.joue.picture = pictures::kJoue;
    } else if (opt.ExcerptOn && position >= opt.NbExtrait) {
        dispatcher_.ExecuterAction(AVANCER, false);
    }
}

// Only on a track number the player gave.
void PlaybackMonitor::FollowTrackChange() {
    COption& opt = bar_.option;
    if (!holdTrackChanges_) {
        const std::optional<int> track = bar_.player.DemanderNumeroTitre();
        if (track && *track != opt.CurrentTrack) {
            opt.CurrentTrack = *track;
            bar_.history.Record(*track);
            LoopStep();
            bar_.services.ProgrammeStep(true);
            bar_.services.ScheduleEvaluate(false);
            bar_.services.ScheduleUpdateInfo();
            StopIfAsked(bar_);
            bar_.services.TrackChanged();
        }
    }
}

// While a programme plays or records, by the parity of the position.
void PlaybackMonitor::Blink(int position) {
    const bool odd = position % 2 != 0;
    if (bar_.option.ProgLecture) {
        bar_.elements.joue.picture = odd ? pictures::kEnregistre : pictures::kJoue;
    } else if (bar_.option.ProgEnreg) {
        bar_.elements.stop.picture = odd ? pictures::kEnregistre : pictures::kStop;
    }
}

void PlaybackMonitor::PlayerGone() {
    if (bar_.option.FermerWA) {
        if (!closing_) {
            closing_ = true;
            bar_.services.CloseProgram();
        }
    } else {
        // The title says the player is stopped instead of showing the last track.
        TitleRefresh();
    }
}

void PlaybackMonitor::TitleRefresh() {
    ShowTitle(bar_.player.Titre() + bar_.player.TexteEtat());
}

void PlaybackMonitor::TitleRefreshIfAnswered() {
    const std::optional<std::string> title = bar_.player.DemanderTitre();
    if (!title) return;
    if (const std::optional<PlayerState> state = bar_.player.DemanderEtat())
        ShowTitle(*title + StateText(*state));
}

void PlaybackMonitor::ShowTitle(const std::string& text) {
    bar_.twins.titre.SetText(text);
    bar_.twins.titre.SetHint(text);
}

void PlaybackMonitor::LoopStep() {
    COption& opt = bar_.option;
    if (!opt.LoopOn || opt.LoopTrack == 0) return;
    bar_.player.JouerTitre(opt.LoopTrack);
    TitleRefreshIfAnswered();
    if (opt.NbBoucle != kLoopInfinite) {
        --opt.NbBoucle;
        bar_.twins.nbBoucle.SetText(std::to_string(opt.NbBoucle));
        if (opt.NbBoucle < 1) dispatcher_.ExecuterAction(BOUCLE, false);
    }
    // With no answer, the loop track is taken as playing: a silent player is
    // not a change of track.
    opt.CurrentTrack = bar_.player.DemanderNumeroTitre().value_or(opt.LoopTrack);
}

void PlaybackMonitor::ShowLoopCount() {
    const int n = bar_.option.NbBoucle;
    bar_.twins.nbBoucle.SetText(n == kLoopInfinite ? std::string() : std::to_string(n));
}

void PlaybackMonitor::MarkLoopMenu() {
    for (int count = 1; count <= kLoopInfinite; ++count)
        bar_.menus.boucle[LoopItemName(count)].checked = false;
    if (!bar_.option.LoopOn) return;
    if (MenuItem* item = bar_.menus.boucle.Find(LoopItemName(bar_.option.NbBoucle)))
        item->checked = true;
}

void PlaybackMonitor::ApplyLoop() {
    COption& opt = bar_.option;
    if (opt.LoopOn) {
        if (opt.NbBoucle < 1) {
            const int stored = bar_.store.ReadInteger(kSectionOption, "NbBoucle", 1, true);
            opt.NbBoucle = stored >= 1 && stored <= kLoopInfinite ? stored : 1;
        }
        ShowLoopCount();
        MarkLoopMenu();
        // A player that does not answer leaves the last track seen.
        opt.LoopTrack = bar_.player.DemanderNumeroTitre().value_or(opt.CurrentTrack);
        bar_.twins.nbBoucle.SetPopupMenu(bar_.menus.boucle.Name());
    } else {
        MarkLoopMenu();
        bar_.twins.nbBoucle.SetText("");
        bar_.twins.nbBoucle.SetPopupMenu("");
    }
    UpdateModePicture();
}

void PlaybackMonitor::LoopMenuClick(std::string_view itemName) {
    if (itemName == kMnuExtrait) {
        dispatcher_.ExecuterAction(EXTRAIT, false);
    } else if (auto count = LoopItemCount(itemName)) {
        const bool wasMarked = bar_.menus.boucle[itemName].checked;
        bar_.option.NbBoucle = *count;
        bar_.option.LoopOn = !wasMarked;
        dispatcher_.ExecuterAction(BOUCLE, true);
    }
}

void PlaybackMonitor::UpdateModePicture() {
    const bool loop = bar_.option.LoopOn;
    const bool excerpt = bar_.option.ExcerptOn;
    bar_.elements.sens.picture = loop && excerpt ? pictures::kExtraitBoucle
                                 : loop          ? pictures::kBoucle
                                 : excerpt       ? pictures::kExtrait
                                                 : pictures::kNormale;
}

} // namespace pilotune
