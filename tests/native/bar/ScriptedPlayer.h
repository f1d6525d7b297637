#pragma once
// A player window that behaves like the player: a playlist, a state, a clock
// moved by the test, shuffle with a scripted order, and the playlist file
// written on request. Plus the system services and a recording BarServices.
#include <algorithm>
#include <deque>
#include <functional>
#include <optional>
#include <map>
#include <string>
#include <vector>

#include "FakePlayer.h"
#include "bar/BarServices.h"
#include "player/PlayerPorts.h"
#include "player/Winamp.h"

namespace pilotune::testing {

class ScriptedPlayer final : public PlayerWindow {
  public:
    explicit ScriptedPlayer(int tracks = 10) {
        for (int i = 1; i <= tracks; ++i) {
            titles.push_back("Artiste - Morceau " + std::to_string(i));
            lengths.push_back(200);
        }
    }

    std::vector<std::string> titles;
    std::vector<int> lengths; // seconds
    int current = 0;          // 0-based
    int state = 1;            // 1 playing, 3 paused, 0 stopped
    int positionMs = 0;
    bool shuffle = false;
    bool present = true;
    // Sends answered before the player stops answering (it stays there); -1
    // answers them all.
    int answersBeforeHang = -1;
    std::deque<int> shuffleOrder; // 0-based tracks chosen by next/previous in shuffle
    std::vector<unsigned> commands;
    int queries = 0;
    std::map<std::string, std::string>* files = nullptr; // playlist file goes here
    std::string playlistPath;

    // Moves the clock; a track that ends goes on with the next one.
    void Advance(int seconds) {
        if (state != 1) return;
        positionMs += seconds * 1000;
        while (positionMs >= lengths[current] * 1000) {
            positionMs -= lengths[current] * 1000;
            current = NextIndex();
        }
    }
    int Track() const { return current + 1; }
    int Count(unsigned command) const {
        return static_cast<int>(std::count(commands.begin(), commands.end(), command));
    }

    bool Find() override { return present; }
    bool Exists() override { return present; }
    std::optional<std::intptr_t> Send(unsigned msg, std::uintptr_t w, std::intptr_t l) override {
        if (!present) return std::nullopt;
        if (answersBeforeHang == 0) return std::nullopt;
        if (answersBeforeHang > 0) --answersBeforeHang;
        if (msg == kWmCommand) {
            Command(static_cast<unsigned>(w));
            return 0;
        }
        ++queries;
        switch (l) {
        case kQueryState:
            return state;
        case kQueryTime:
            if (w == 0) return state == 0 ? -1 : positionMs;
            return lengths[current];
        case kQueryWritePlaylist:
            WritePlaylist();
            return current;
        case kQuerySetPosition:
            if (static_cast<int>(w) >= 0 && static_cast<int>(w) < static_cast<int>(titles.size()))
                current = static_cast<int>(w);
            return 0;
        case kQueryLength:
            return static_cast<std::intptr_t>(titles.size());
        case kQueryShuffle:
            return shuffle ? 1 : 0;
        default:
            return 0;
        }
    }
    void Post(unsigned msg, std::uintptr_t w, std::intptr_t l) override {
        if (present && msg == kWmUser && l == kQuerySeek) positionMs = static_cast<int>(w);
    }
    std::optional<std::string> Caption() override {
        if (!present) return std::nullopt;
        const char* suffix = state == 0 ? " [Stopped]" : state == 3 ? " [Paused]" : "";
        return std::to_string(Track()) + ". " + titles[current] + " - Winamp" + suffix;
    }
    void Show(bool) override {}
    void RaiseSearchWindow() override {}

  private:
    int NextIndex() {
        if (shuffle && !shuffleOrder.empty()) {
            const int n = shuffleOrder.front();
            shuffleOrder.pop_front();
            return n;
        }
        return (current + 1) % static_cast<int>(titles.size());
    }
    void Command(unsigned c) {
        commands.push_back(c);
        switch (c) {
        case kCmdPlay:
            if (state != 3) positionMs = 0;
            state = 1;
            break;
        case kCmdPause:
            state = state == 1 ? 3 : state == 3 ? 1 : state;
            break;
        case kCmdStop:
            state = 0;
            positionMs = 0;
            break;
        case kCmdNext:
            current = NextIndex();
            positionMs = 0;
            break;
        case kCmdPrevious:
            if (shuffle && !shuffleOrder.empty())
                current = NextIndex();
            else
                current = current == 0 ? 0 : current - 1;
            positionMs = 0;
            break;
        case kCmdShuffle:
            shuffle = !shuffle;
            break;
        case kCmdClose:
            present = false;
            break;
        default:
            break;
        }
    }
    void WritePlaylist() {
        if (!files) return;
        std::string text = "#EXTM3U\r\n";
        for (std::size_t i = 0; i < titles.size(); ++i)
            text += "#EXTINF:200," + titles[i] + "\r\nC:\\Musique\\piste" + std::to_string(i + 1) +
                    ".mp3\r\n";
        (*files)[playlistPath] = text;
    }
};

// The system services of the player link.
using SimpleSystem = FakePlayerSystem;

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

} // namespace pilotune::testing
