#pragma once
// In-memory stand-ins for the player and the system services.
#include <algorithm>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "player/PlayerPorts.h"
#include "player/Winamp.h"
#include "settings/Codecs.h"

namespace pilotune::testing {

struct SentMessage {
    unsigned msg;
    std::uintptr_t wParam;
    std::intptr_t lParam;
    bool posted;
    bool operator==(const SentMessage&) const = default;
};

class ScriptedPlayer final : public PlayerWindow {
  public:
    // Track n is "Artiste - Morceau n".
    explicit ScriptedPlayer(int tracks = 10) : lengths(tracks, 200) {}

    std::vector<int> lengths; // seconds, one per track
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
    std::vector<SentMessage> sent;                  // every message, in order
    std::map<std::intptr_t, std::intptr_t> answers; // lParam -> answer, over the state's

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
        return static_cast<int>(std::ranges::count(commands, command));
    }

    bool Find() override { return present; }
    bool Exists() override { return present; }
    std::optional<std::intptr_t> Send(unsigned msg, std::uintptr_t w, std::intptr_t l) override {
        if (!present || answersBeforeHang == 0) return std::nullopt;
        if (answersBeforeHang > 0) --answersBeforeHang;
        sent.push_back({msg, w, l, false});
        if (msg == kWmCommand) {
            Command(static_cast<unsigned>(w));
            return 0;
        }
        if (auto it = answers.find(l); it != answers.end()) return it->second;
        switch (l) {
        case kQueryState:
            return state;
        case kQueryTime:
            if (w == 0) return state == 0 ? -1 : positionMs;
            return lengths[current];
        case kQueryWritePlaylist:
            return current;
        case kQuerySetPosition:
            if (static_cast<int>(w) >= 0 && static_cast<int>(w) < static_cast<int>(lengths.size()))
                current = static_cast<int>(w);
            return 0;
        case kQueryLength:
            return static_cast<std::intptr_t>(lengths.size());
        case kQueryShuffle:
            return shuffle ? 1 : 0;
        default:
            return 0;
        }
    }
    void Post(unsigned msg, std::uintptr_t w, std::intptr_t l) override {
        if (present) sent.push_back({msg, w, l, true});
        if (present && msg == kWmUser && l == kQuerySeek) positionMs = static_cast<int>(w);
    }
    std::optional<std::string> Caption() override {
        if (!present) return std::nullopt;
        const char* suffix = state == 0 ? " [Stopped]" : state == 3 ? " [Paused]" : "";
        const std::string n = std::to_string(Track());
        return n + ". Artiste - Morceau " + n + " - Winamp" + suffix;
    }
    void Show(bool) override {}
    void RaiseSearchWindow() override {}
    std::map<std::uintptr_t, std::string> memory; // strings answered by address
    std::optional<std::string> ReadString(std::uintptr_t address, int) override {
        auto it = memory.find(address);
        return it == memory.end() ? std::nullopt : std::optional(it->second);
    }

  private:
    int NextIndex() {
        if (shuffle && !shuffleOrder.empty()) {
            const int n = shuffleOrder.front();
            shuffleOrder.pop_front();
            return n;
        }
        return (current + 1) % static_cast<int>(lengths.size());
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
            current = shuffle && !shuffleOrder.empty() ? NextIndex() : std::max(current - 1, 0);
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
};

class FakePlayerSystem final : public PlayerSystem {
  public:
    std::map<std::string, std::string> files; // path -> bytes
    std::string registered;
    std::vector<std::string> asked, shown, launched;
    std::string typed; // what the user types in the input box
    bool launchWorks = true;
    std::uint64_t now = 0;
    int reads = 0;

    bool FileExists(const std::string& p) override { return files.count(p) > 0; }
    std::string RegisteredWinampPath() override { return registered; }
    std::string AskText(const std::string& title, const std::string& prompt,
                        const std::string& value) override {
        asked.push_back(title + "|" + prompt + "|" + value);
        return typed;
    }
    void ShowMessage(const std::string& t) override { shown.push_back(t); }
    bool Launch(const std::string& p) override {
        launched.push_back(p);
        return launchWorks;
    }
    bool WaitForLaunch() override {
        now += 50;
        return true;
    }
    std::uint64_t NowMs() override { return now; }
    // Small, odd-sized chunks, so that lines and CR LF pairs are cut anywhere.
    std::size_t chunkSize = 7;
    bool ReadFile(const std::string& p, const std::function<bool(std::string_view)>& chunk,
                  std::string& error) override {
        ++reads;
        auto it = files.find(p);
        if (it == files.end()) {
            error = "Le fichier spécifié est introuvable.";
            return false;
        }
        const std::string_view bytes = it->second;
        for (std::size_t i = 0; i < bytes.size(); i += chunkSize)
            if (!chunk(bytes.substr(i, chunkSize))) break;
        return true;
    }
    void DecodeAnsi(std::string_view bytes, std::string& out) override {
        out += Windows1252Codec().Decode(bytes);
    }
    std::optional<std::uint64_t> clock;         // none: no file is dated
    std::map<std::string, std::uint64_t> times; // of the files, when dated
    std::optional<std::uint64_t> FileClock() override { return clock; }
    std::optional<std::uint64_t> FileTime(const std::string& p) override {
        if (!files.count(p)) return std::nullopt;
        return times.count(p) ? times[p] : clock;
    }
};

} // namespace pilotune::testing
