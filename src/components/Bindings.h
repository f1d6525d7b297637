#pragma once
// Shortcut bindings: what a key press reported by the keyboard hook does. While
// the options dialog captures a key, the text goes to its key box; otherwise
// every active binding with exactly that text runs, in index order.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/Option.h"

namespace pilotune {

struct AppelRaccourci {
    int action = 0;
    std::string parametre; // the binding's Chemin
    bool operator==(const AppelRaccourci&) const = default;
};

// The active bindings whose key text equals `touche` (whole text, case
// sensitive), in index order; duplicates all count.
std::vector<AppelRaccourci> RaccourcisPour(const std::vector<TCla>& bindings,
                                           std::string_view touche);

class Raccourcis {
  public:
    // The dispatcher: (action, mode flag, parameter).
    using Executer = std::function<void(int, bool, const std::string&)>;
    // The options dialog's key box; empty while the dialog does not exist.
    using CibleCapture = std::function<void(const std::string&)>;

    Raccourcis(const COption& option, Executer executer)
        : option_(option), executer_(std::move(executer)) {}

    // On, every key goes to `cible` (when there is one) and runs nothing.
    void CaptureKeys(bool on, CibleCapture cible) {
        capturing_ = on;
        cible_ = std::move(cible);
    }

    // hokKeyHookKeyDown: one reported press with key text `touche`. The
    // matching bindings are chosen before the first runs, so an action that
    // changes the bindings does not change what this press runs.
    void ToucheEnfoncee(const std::string& touche);

  private:
    const COption& option_;
    Executer executer_;
    CibleCapture cible_;
    bool capturing_ = false;
};

// Whether the hook is on after the settings are applied.
inline bool HookActifSelonReglages(const COption& option) {
    return option.ClavierActiver;
}

} // namespace pilotune
