#pragma once
// In-memory stand-ins for the player's window and the system services.
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "player/PlayerPorts.h"

namespace pilotune::testing {

struct SentMessage {
    unsigned msg;
    std::uintptr_t wParam;
    std::intptr_t lParam;
    bool posted;
    bool operator==(const SentMessage&) const = default;
};

class FakePlayerWindow final : public PlayerWindow {
  public:
    bool present = true; // a player window exists
    bool found = false;  // Find() was called while present
    std::string caption;
    std::vector<SentMessage> sent;
    std::map<std::tuple<unsigned, std::uintptr_t, std::intptr_t>, std::intptr_t> answers;
    int raises = 0;

    bool Find() override {
        found = present;
        return found;
    }
    bool Exists() override { return present; }
    bool silent = false; // the window is there but answers nothing
    std::optional<std::intptr_t> Send(unsigned m, std::uintptr_t w, std::intptr_t l) override {
        if (!found) return std::nullopt;
        sent.push_back({m, w, l, false});
        if (silent) return std::nullopt;
        auto it = answers.find({m, w, l});
        return it == answers.end() ? 0 : it->second;
    }
    void Post(unsigned m, std::uintptr_t w, std::intptr_t l) override {
        if (found) sent.push_back({m, w, l, true});
    }
    std::optional<std::string> Caption() override {
        if (!found) return std::nullopt;
        return caption;
    }
    void Show(bool) override {}
    void RaiseSearchWindow() override { ++raises; }

    void Answer(std::intptr_t lParam, std::intptr_t value, std::uintptr_t wParam = 0) {
        answers[{1024u, wParam, lParam}] = value;
    }
};

class FakePlayerSystem final : public PlayerSystem {
  public:
    std::map<std::string, std::string> files; // path -> bytes
    std::string registered;
    std::vector<std::string> asked, shown, launched;
    std::function<std::string(const std::string&)> userTypes = [](const std::string& v) {
        return v;
    };
    bool launchWorks = true;
    std::uint64_t now = 0;
    int pumps = 0;
    int reads = 0;

    bool FileExists(const std::string& p) override { return files.count(p) > 0; }
    std::string RegisteredWinampPath() override { return registered; }
    std::string AskText(const std::string& title, const std::string& prompt,
                        const std::string& value) override {
        asked.push_back(title + "|" + prompt + "|" + value);
        return userTypes(value);
    }
    void ShowMessage(const std::string& t) override { shown.push_back(t); }
    bool Launch(const std::string& p) override {
        launched.push_back(p);
        return launchWorks;
    }
    bool WaitForLaunch() override {
        ++pumps;
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
        // Latin-1 subset of Windows-1252, enough for the tests
        for (unsigned char c : bytes) {
            if (c < 0x80)
                out += static_cast<char>(c);
            else {
                out += static_cast<char>(0xC0 | (c >> 6));
                out += static_cast<char>(0x80 | (c & 0x3F));
            }
        }
    }
};

} // namespace pilotune::testing
