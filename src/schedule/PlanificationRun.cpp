// The running side of CPlanification: the passes, execution, the next planned
// entry and its label, cancelling and re-arming.
#include "schedule/Planification.h"

#include <climits>

#include "schedule/Action.h"
#include "settings/TimeText.h"

namespace pilotune {

namespace {

constexpr int kDayLength = 86400;
constexpr long long kWindowLength = 70; // an "à" entry runs within 70 s of its time
constexpr int kNoDistance = 100000;
constexpr int kNotToday = 1; // a day number that is never today

bool CountsTracks(int mode) {
    return mode == kModeApres || mode == kModePrecedentApres;
}

} // namespace

void CPlanification::Evaluate(bool tick) {
    if (!Activer) return;
    const ClockReading clock = clock_.Read();
    const unsigned generation = generation_;
    // An action run by the pass may rebuild the schedule (the options dialog)
    // or come back here (a modal window keeps the timers running): the entry
    // is looked up again after every step, and a rebuilt schedule ends the pass.
    for (std::size_t i = 0; i < entries_.size() && generation == generation_; ++i) {
        TPlan& e = entries_[i];
        if (NextDue(e, kNotToday, clock) != 0) continue;
        if (e.Effectuer != 0) {
            e.Effectuer = NextDue(e, e.Effectuer, clock);
            if (e.Effectuer == 0) ReloadQuand(static_cast<int>(i)); // a new qualifying day
            continue;
        }
        const bool previousDone = i == 0 || entries_[i - 1].Effectuer != 0;
        if (tick) {
            switch (e.Comment) {
            case kModeA:
                if (e.Quand <= clock.now && clock.now < e.Quand + kWindowLength)
                    Execute(i, clock.today);
                break;
            case kModeDans:
                if (e.Quand < 1) Execute(i, clock.today);
                CountDown(i, generation);
                break;
            case kModePrecedent:
                if (previousDone) Execute(i, clock.today);
                break;
            case kModePrecedentDans:
                if (!previousDone) break;
                if (e.Quand < 1) Execute(i, clock.today);
                CountDown(i, generation);
                break;
            default:
                break;
            }
        } else if (CountsTracks(e.Comment)) {
            // Only the track-count modes count track changes; an entry of
            // another mode never runs on one.
            if (e.Comment == kModePrecedentApres && !previousDone) continue;
            CountDown(i, generation);
            if (entries_[i].Quand < 1) Execute(i, clock.today);
        }
    }
}

void CPlanification::CountDown(std::size_t index, unsigned generation) {
    if (generation != generation_ || index >= entries_.size()) return;
    int& quand = entries_[index].Quand;
    if (quand > INT_MIN) --quand;
}

void CPlanification::Execute(int index) {
    if (index < 0 || index >= Count()) return;
    Execute(static_cast<std::size_t>(index), clock_.Read().today);
}

void CPlanification::Execute(std::size_t index, int today) {
    TPlan& e = entries_[index];
    // Done before the action runs: an action that ends the program or the
    // session is not run again at the next start.
    e.Effectuer = today;
    Persist();
    const int action = e.Action;
    const std::string parameter = e.Chemin; // the action may replace the entries
    if (run_) run_(action, parameter);
}

std::optional<NextPlanned> CPlanification::FindNext() {
    return FindNext(clock_.Read());
}

std::optional<NextPlanned> CPlanification::FindNext(const ClockReading& clock) const {
    if (!Activer) return std::nullopt;
    long long distance = kNoDistance;
    int index = -1;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const TPlan& e = entries_[i];
        if (e.Effectuer != 0 || NextDue(e, kNotToday, clock) != 0) continue;
        const bool previousDone = i == 0 || entries_[i - 1].Effectuer != 0;
        long long d = 0;
        switch (e.Comment) {
        case kModeA:
            d = static_cast<long long>(e.Quand) - clock.now;
            if (d < 0) d += kDayLength; // passed today: tomorrow
            break;
        case kModeDans:
        case kModeApres:
            d = e.Quand;
            break;
        case kModePrecedentDans:
        case kModePrecedentApres:
            if (!previousDone) continue;
            d = e.Quand;
            break;
        default:
            continue;
        }
        if (d < distance) {
            distance = d;
            index = static_cast<int>(i);
        }
    }
    if (index < 0) return std::nullopt;
    return NextPlanned{index, static_cast<int>(distance)};
}

InfoLabel CPlanification::UpdateInfo() {
    InfoLabel info;
    if (!Activer || !AfficheInfo) return info;
    const auto next = FindNext();
    if (!next) return info;
    const TPlan& e = entries_[static_cast<std::size_t>(next->index)];
    std::string text;
    if (CountsTracks(e.Comment)) {
        info.caption = std::to_string(next->distance);
        text = info.caption + " chanson" + (next->distance > 1 ? "s" : "");
    } else {
        text = SecondsToText(next->distance >= kDayLength ? 0 : next->distance);
        info.caption = text;
    }
    info.visible = true;
    info.hint = DescriptionAction(e.Action, e.Chemin) + " dans " + text;
    return info;
}

void CPlanification::Cancel() {
    const ClockReading clock = clock_.Read();
    const auto next = FindNext(clock);
    if (!next) return;
    entries_[static_cast<std::size_t>(next->index)].Effectuer = clock.today;
    Persist();
}

void CPlanification::CancelAll() {
    const int today = clock_.Read().today;
    for (TPlan& e : entries_)
        e.Effectuer = today;
    Persist();
}

void CPlanification::Rearm(const std::string& parameter) {
    RearmEntry(LeadingNumber(parameter));
}

bool CPlanification::RearmEntry(int fileIndex) {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].Index != fileIndex) continue;
        entries_[i].Effectuer = 0;
        ReloadQuand(static_cast<int>(i)); // a re-armed countdown starts again
        Persist();
        return true;
    }
    return false;
}

} // namespace pilotune
