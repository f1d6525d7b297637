#pragma once
// A bar's logic over the scripted player, with recorded services.
#include <gtest/gtest.h>

#include <functional>

#include "FakePlayer.h"
#include "bar/BarLogic.h"
#include "settings/Option.h"
#include "settings/SettingsStore.h"

namespace pilotune::testing {

// Records every call as a short text; a few answers are settable.
class RecordingServices final : public BarServices {
  public:
    std::vector<std::string> calls;
    bool fileExists = false;
    int scheduleEntries = 0;
    bool fullScreen = false;
    std::function<void()> onProgrammeStep;

    void Clear() { calls.clear(); }
    int Count(const std::string& call) const {
        return static_cast<int>(std::count(calls.begin(), calls.end(), call));
    }

    void ShowCountdown(int s, bool force, bool restart) override {
        Log("ShowCountdown " + std::to_string(s) + (force ? " force" : "") +
            (restart ? " restart" : " shutdown"));
    }
    bool FileExists(const std::string& p) override {
        Log("FileExists " + p);
        return fileExists;
    }
    void OpenFile(const std::string& p) override { Log("OpenFile " + p); }
    void CloseProgram() override { Log("CloseProgram"); }
    void ProgrammePlayback(bool mode, const std::string& name) override {
        Log(std::string("ProgrammePlayback ") + (mode ? "1" : "0") + " " + name);
    }
    void ProgrammeRecording(bool mode) override {
        Log(std::string("ProgrammeRecording ") + (mode ? "1" : "0"));
    }
    void ProgrammeNext() override { Log("ProgrammeNext"); }
    void ProgrammeStep(bool changed) override {
        Log(std::string("ProgrammeStep ") + (changed ? "1" : "0"));
        if (onProgrammeStep) onProgrammeStep();
    }
    void CopyCurrentTrack() override { Log("CopyCurrentTrack"); }
    void CaptureBackground() override { Log("CaptureBackground"); }
    void ShowHelp() override { Log("ShowHelp"); }
    void ShowAbout() override { Log("ShowAbout"); }
    void ShowOptions() override { Log("ShowOptions"); }
    void FocusOptions() override { Log("FocusOptions"); }
    void ShowOptionsSchedulePage() override { Log("ShowOptionsSchedulePage"); }
    int ScheduleEntryCount() override { return scheduleEntries; }
    void ScheduleRearm(int i) override { Log("ScheduleRearm " + std::to_string(i)); }
    void ScheduleCancel() override { Log("ScheduleCancel"); }
    void ScheduleCancelAll() override { Log("ScheduleCancelAll"); }
    void ScheduleEvaluate(bool tick) override {
        Log(std::string("ScheduleEvaluate ") + (tick ? "1" : "0"));
    }
    void ScheduleUpdateInfo() override { Log("ScheduleUpdateInfo"); }
    bool FullScreenExists() override { return fullScreen; }
    void OpenFullScreen() override {
        Log("OpenFullScreen");
        fullScreen = true;
    }
    void FocusFullScreen() override { Log("FocusFullScreen"); }
    void CloseFullScreen() override {
        Log("CloseFullScreen");
        fullScreen = false;
    }
    void RefreshFullScreen(int p, int d) override {
        Log("RefreshFullScreen " + std::to_string(p) + " " + std::to_string(d));
    }
    void RefreshFullScreenView() override { Log("RefreshFullScreenView"); }
    void CheckForUpdate(bool always) override {
        Log(std::string("CheckForUpdate ") + (always ? "1" : "0"));
    }
    void MakeBarTopmost() override { Log("MakeBarTopmost"); }

  private:
    void Log(std::string s) { calls.push_back(std::move(s)); }
};

class BarTest : public ::testing::Test {
  protected:
    explicit BarTest(int tracks = 10) : window(tracks) {
        window.files = &system.files;
        window.playlistPath = link.FichierListe();
        option.NbBoucle = 9;
    }

    // The bar as after its creation: laid out, first track recorded.
    void StartBar() {
        LayoutBar(bar.state.scene, 1024, 450);
        bar.monitor.Start();
        services.Clear();
    }
    // Plays `seconds` of player time, one tick per second.
    void PlayAndTick(int seconds) {
        for (int i = 0; i < seconds; ++i) {
            window.Advance(1);
            bar.monitor.Tick();
        }
    }
    void Run(int action, bool mode = false, const std::string& parameter = {}) {
        bar.dispatcher.ExecuterAction(action, mode, parameter);
    }
    const Element& E(std::string_view name) { return bar.state.scene[name]; }

    ScriptedPlayer window;
    FakePlayerSystem system;
    TPilotune link{window, system, "C:\\Program Files\\Winamp\\Winamp.exe"};
    COption option;
    SettingsStore store;
    RecordingServices services;
    BarLogic bar{option, link, store, services};
};

} // namespace pilotune::testing
