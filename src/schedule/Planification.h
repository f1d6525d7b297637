#pragma once
// CPlanification: the running schedule. It loads the enabled entries of the
// settings file, decides on each timer tick and each track change which
// entries are due, runs them through the action runner, and describes the
// next planned action for the bar's "INFO" label.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "schedule/Plan.h"
#include "schedule/ScheduleClock.h"
#include "schedule/ScheduleList.h"

namespace pilotune {

class SettingsStore;

inline constexpr std::string_view kWindowsStartArgument = "WindowsLanceDebut";

// Runs one action with its text parameter (the bar binds its dispatcher, mode
// flag false).
using ActionRunner = std::function<void(int action, const std::string& parameter)>;

// What the bar shows in its "INFO" label pair.
struct InfoLabel {
    std::string caption;
    std::string hint;
    bool visible = false;
};

// The next planned entry: its running position and its distance, in seconds
// or, for the track-count modes, in tracks.
struct NextPlanned {
    int index = -1;
    int distance = 0;
};

// True when the command line holds exactly one argument, "WindowsLanceDebut".
bool IsWindowsStart(const std::vector<std::string>& arguments);

class CPlanification {
  public:
    CPlanification(SettingsStore& store, ScheduleClock& clock, ActionRunner run = {});
    CPlanification(const CPlanification&) = delete;
    CPlanification& operator=(const CPlanification&) = delete;

    void SetRunner(ActionRunner run) { run_ = std::move(run); }

    bool Activer = false;
    bool AfficheInfo = true;
    bool StartedByWindows = false;

    int Count() const { return static_cast<int>(entries_.size()); }
    const std::vector<TPlan>& Entries() const { return entries_; }
    // One past the highest file index among the running entries: the numbers
    // that may name a running entry are below it.
    int ListLimit() const;

    // Start-up: "Activer", "AfficheInfo" and the enabled entries; entries of
    // period 11, and of period 12 after a start by Windows, are armed again.
    void Load();
    // The options dialog's rebuild from the file: the enabled entries as Load
    // reads them, without the start-up re-arming.
    void Reload();
    // The options dialog's rebuild from its list: the given entries become the
    // running schedule as they are.
    void Replace(std::vector<TPlan> running);
    // Writes "Activer", "AfficheInfo" and every running entry's done date.
    void SaveState();

    // 0 when the entry at `index` may be armed or run today, else `last`.
    int NextDue(int index, int last);
    // The entry's Quand read again from the file ("Quand " + its Index).
    void ReloadQuand(int index);

    // One pass: a timer tick (true) or a track change (false).
    void Evaluate(bool tick);
    // Marks the entry done today, saves it to disk, then runs its action.
    void Execute(int index);
    std::optional<NextPlanned> FindNext();
    // The "INFO" label for the next planned entry.
    InfoLabel UpdateInfo();

    void Cancel();    // the next planned entry is done for today
    void CancelAll(); // every entry is done for today
    // Action 25: arms the running entry whose file index is the number at the
    // start of `parameter`, and restarts its countdown.
    void Rearm(const std::string& parameter);
    // The same with the file index; false when no running entry has it.
    bool RearmEntry(int fileIndex);

  private:
    void ReadEntries(bool startUp);
    // SaveState, then the store to disk: done dates survive a crash.
    void Persist();
    int NextDue(const TPlan& e, int last, const ClockReading& clock) const;
    std::optional<NextPlanned> FindNext(const ClockReading& clock) const;
    void Execute(std::size_t index, int today);
    void CountDown(std::size_t index, unsigned generation);

    SettingsStore& store_;
    ScheduleClock& clock_;
    ActionRunner run_;
    std::vector<TPlan> entries_;
    unsigned generation_ = 0; // changes whenever entries_ is replaced
};

} // namespace pilotune
