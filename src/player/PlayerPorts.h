#pragma once
// What the player link needs from the outside world: the player's window in
// another process, and a few services of the system. Win32 in the program
// (WinampWin32.h), fakes in unit tests.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace pilotune {

// The player's playing state, as its state query answers it; any other
// answer is kept as Other.
enum class PlayerState : int { Stopped = 0, Playing = 1, Paused = 3, Other = 4 };

enum class PlayerWindowState { Shown, Hidden };

// The player's main window, as found by the last Find().
class PlayerWindow {
  public:
    virtual ~PlayerWindow() = default;
    // Looks for the top-level window of class "Winamp v1.x" and keeps its handle
    // (null when none). Returns whether one was found.
    virtual bool Find() = 0;
    // Whether such a window exists now, whatever handle is kept.
    virtual bool Exists() = 0;
    // Synchronous send to the kept handle, bounded in time; nullopt when no
    // answer came (no window, a window that has gone, or a player that did not
    // answer in time).
    virtual std::optional<std::intptr_t> Send(unsigned msg, std::uintptr_t wParam,
                                              std::intptr_t lParam) = 0;
    virtual void Post(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) = 0;
    // The window's caption; nullopt when there is no window.
    virtual std::optional<std::string> Caption() = 0;
    virtual void Show(bool visible) = 0;
    // Places the player's title-search window above every other window.
    virtual void RaiseSearchWindow() = 0;
    // The full path of the program file of the kept window's process; nullopt
    // when it is not known.
    virtual std::optional<std::string> ProgramFile() { return std::nullopt; }
    // The zero-terminated string at `address` in the player's memory, `unit`
    // bytes (1 or 2) per character, without its terminator. Read in small
    // pieces, at most 32767 characters; only the low 32 bits of the address
    // count for a 32-bit player. nullopt when it cannot be read whole.
    virtual std::optional<std::string> ReadString(std::uintptr_t address, int unit) {
        return std::nullopt;
    }
};

class PlayerSystem {
  public:
    virtual ~PlayerSystem() = default;
    virtual bool FileExists(const std::string& path) = 0;
    // Default value of HKLM\...\App Paths\winamp.exe, empty when missing.
    virtual std::string RegisteredWinampPath() = 0;
    // One-line input box; returns what the user left in the field.
    virtual std::string AskText(const std::string& title, const std::string& prompt,
                                const std::string& value) = 0;
    virtual void ShowMessage(const std::string& text) = 0;
    // Asks the shell to open the program; false when it reports a failure.
    virtual bool Launch(const std::string& path) = 0;
    // One short wait while a launched player starts. Input, timers and repaints
    // are handled and messages sent by other threads answered; other posted
    // messages wait for the end of the launch. False ends the wait for the
    // player: the program is closing, or the launched program will not show it.
    virtual bool WaitForLaunch() = 0;
    virtual std::uint64_t NowMs() = 0;
    // Hands the file's bytes to `chunk` in order, piece by piece, until the end
    // or until `chunk` answers false. False, with the system's error text, when
    // the file cannot be opened or read.
    virtual bool ReadFile(const std::string& path,
                          const std::function<bool(std::string_view)>& chunk,
                          std::string& error) = 0;
    // Appends the UTF-8 text of bytes in the ANSI code page to `out`.
    virtual void DecodeAnsi(std::string_view bytes, std::string& out) = 0;
    // The clock of file times, and a file's last write time, in 100 ns units;
    // nullopt when not known (for a file: when it is missing).
    virtual std::optional<std::uint64_t> FileClock() { return std::nullopt; }
    virtual std::optional<std::uint64_t> FileTime(const std::string& path) { return std::nullopt; }
    // The folder named by the default value of HKCU\Software\Winamp, its
    // %variables% expanded; empty when there is none.
    virtual std::string RegisteredPlayerFolder() { return {}; }
};

} // namespace pilotune
