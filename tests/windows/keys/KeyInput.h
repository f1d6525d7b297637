#pragma once
// Real key events for the hook tests: SendInput, then the test thread pumps its
// messages so that the hooks that run on it (the library's) run and the
// receiver raises the events.
#include <windows.h>

#include <string>
#include <vector>

#include "Waiting.h"
#include "components/HookKeyboardWin32.h"

namespace pilotune::testing {

inline void Key(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &in, sizeof in);
}

// Presses then releases the keys: the first ones are held while the last is typed.
inline void Chord(std::initializer_list<WORD> keys, int pumpMs = 150) {
    for (WORD k : keys)
        Key(k, false);
    for (auto it = std::rbegin(keys); it != std::rend(keys); ++it)
        Key(*it, true);
    Pump(pumpMs);
}

// Every event of a hook component, in order: "down:", "press:" or "up:" + text.
struct EventLog {
    explicit EventLog(THookKeyboard& hook) {
        hook.OnHookKeyDown = [this](THookKeyboard&, std::uint16_t k, const std::string& t) {
            events.push_back("down:" + t);
            keys.push_back(k);
        };
        hook.OnHookKeyPresse = [this](THookKeyboard&, std::uint16_t, const std::string& t,
                                      TToucheEtendu) { events.push_back("press:" + t); };
        hook.OnHookKeyUp = [this](THookKeyboard&, std::uint16_t, const std::string& t) {
            events.push_back("up:" + t);
        };
    }
    std::vector<std::string> Downs() const {
        std::vector<std::string> d;
        for (const auto& e : events)
            if (e.rfind("down:", 0) == 0) d.push_back(e.substr(5));
        return d;
    }
    std::vector<std::string> events;
    std::vector<std::uint16_t> keys;
};

} // namespace pilotune::testing
