#pragma once
// THookKeyboard: watches every key pressed or released anywhere in the system
// and reports it with its French key text. Two modes: a low-level keyboard hook
// on a thread of its own, or the hook library KEYBOARD.DLL reporting through
// WM_COPYDATA. One instance per process: the last one built is the current one.
// The events are raised on the thread that built the component, one at a time
// in the order of the keys, from whatever message loop that thread runs: a
// handler that opens a modal window sees the next keys arrive inside it.
#include <windows.h>

#include "base/HandleWin32.h"

#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "components/HookThreadWin32.h"
#include "components/KeyNames.h"
#include "ui/WindowWin32.h"

namespace pilotune {

enum class TVersionWindows : std::uint8_t { AUTO, W95_98_ME, WNT_2000_XP };

class THookKeyboard;

using THookKeyEvent =
    std::function<void(THookKeyboard& sender, std::uint16_t key, const std::string& signification)>;
using THookKeyPressEvent =
    std::function<void(THookKeyboard& sender, std::uint16_t key, const std::string& signification,
                       TToucheEtendu toucheEtendu)>;

// The name of the hook library and the message a missing one shows.
inline constexpr const char* kKeyboardDll = "KEYBOARD.DLL";

class THookKeyboard {
  public:
    THookKeyboard(); // becomes the current instance; creates the receiver window
    ~THookKeyboard();
    THookKeyboard(const THookKeyboard&) = delete;
    THookKeyboard& operator=(const THookKeyboard&) = delete;

    // Once the owner has set the properties: installs the hook when Enabled.
    void Loaded();

    TVersionWindows ForceWindows = TVersionWindows::AUTO;
    // True: every key seen is swallowed (not passed on to other programs).
    // Read by the hook's own thread.
    std::atomic<bool> StopMessage{false};
    THookKeyEvent OnHookKeyDown;
    THookKeyEvent OnHookKeyUp;
    THookKeyPressEvent OnHookKeyPresse;

    bool Enabled() const { return enabled_; }
    // A change installs (true) or removes (false) the hook.
    void SetEnabled(bool value);
    // While Enabled, removes the hook and installs it again: Windows silently
    // drops a low-level hook it found late, and nothing tells the program.
    void Reinstaller();
    const std::string& RepertoireDll() const { return repertoireDll_; }
    // A folder; a backslash is appended when it has none at its end.
    void SetRepertoireDll(const std::string& value);

    static std::string NomTouche(std::uint16_t key);
    // Names one key event from the current key states and raises the events now.
    void TraiterTouche(std::uint16_t key, std::uint16_t drapeaux, bool enfoncee);
    // The mode in use: ForceWindows of the current instance, or for AUTO the
    // family of the running Windows.
    static TVersionWindows ModeHook();

    // The window the hook library reports to.
    HWND Receiver() const { return receiver_.Handle(); }
    // A low-level hook or the library is in place.
    bool HookInstalled() const {
        return (hookThread_ && hookThread_->Installed()) || static_cast<bool>(library_);
    }

  private:
    class TReceptionMessageCopyData final : public Window {
      public:
        explicit TReceptionMessageCopyData(THookKeyboard& owner) : owner_(owner) {}

      protected:
        LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

      private:
        THookKeyboard& owner_;
    };
    friend class TReceptionMessageCopyData;

    void InstallerHook();
    void RetirerHook();
    // A key seen by the hook thread: named with the modifier set held at that
    // moment and raised at once.
    void RecevoirBrute(const ToucheBrute& t);
    // A key reported by the library: named now, with the key states of this
    // moment, and raised from the receiver's message loop so that a long
    // action never holds up the library's hook.
    void Recevoir(std::uint16_t key, std::uint16_t drapeaux, bool enfoncee);
    void Notifier();
    void Delivrer();
    void Signaler(const EvenementTouche& e);
    LRESULT CopyData(const COPYDATASTRUCT* data);

    NommeurTouches nommeur_;
    // The modifier set the event being named was seen with; none: read the
    // key states now.
    std::optional<TToucheEtendu> instant_;
    TReceptionMessageCopyData receiver_{*this};
    bool enabled_ = true;
    std::string repertoireDll_;
    std::unique_ptr<KeyboardHookThread> hookThread_;
    ModuleHandle library_;
    using Initialisation = BOOLEAN(WINAPI*)(HWND);
    using Finalisation = void(WINAPI*)();
    Initialisation initialisationHook_ = nullptr;
    Finalisation finalisationHook_ = nullptr;
    std::deque<EvenementTouche> pending_;
    bool notified_ = false; // a delivery message is on its way
};

} // namespace pilotune
