#pragma once
// Runs the real Pilotune.exe from a private copy of its folder, with a
// settings file written beforehand, and finds its bar.
#include <windows.h>

#include <string>
#include <vector>

namespace pilotune::testing {

std::wstring PilotuneExe(); // PILOTUNE_BUILD_DIR "/dist/Pilotune/Pilotune.exe"

class PilotuneProcess {
  public:
    // A fresh folder under the temporary folder, named after `name`, holding a
    // copy of the program and, when `ini` is not empty, that settings file.
    PilotuneProcess(const std::string& name, const std::string& ini);
    ~PilotuneProcess(); // closes the bar, then ends the process if still alive
    PilotuneProcess(const PilotuneProcess&) = delete;
    PilotuneProcess& operator=(const PilotuneProcess&) = delete;

    // Starts the program with `args`; waits (<= 15 s) for the bar when `waitBar`.
    bool Start(const std::wstring& args = L"", bool waitBar = true);
    // Runs a second instance with `args` and waits for its end (<= 15 s).
    DWORD RunSecond(const std::wstring& args);
    HWND Bar() const { return bar_; }
    bool WaitExit(DWORD ms);
    bool Alive() const;
    DWORD ExitCode() const; // STILL_ACTIVE while it runs
    void Kill();
    std::string Ini() const; // the settings file's bytes
    std::wstring Folder() const { return folder_; }

  private:
    std::wstring folder_;
    HANDLE process_ = nullptr;
    HWND bar_ = nullptr;
};

// A path of ASCII characters as the settings file holds it.
inline std::string NarrowPath(const std::wstring& w) {
    std::string out;
    for (wchar_t c : w)
        out += static_cast<char>(c);
    return out;
}

// The logon name the program prefixes its sections with.
std::string TestUserName();

// A settings file that points the program at the simulator and skips the
// first-start dialog and the update check; `options` go to section Option.
std::string SimulatorIni(const std::string& options = "");

// Milliseconds `window` took to answer a sent message; -1: no answer within `timeoutMs`.
long AnswerTime(HWND window, UINT msg = WM_NULL, WPARAM w = 0, LPARAM l = 0, UINT timeoutMs = 5000);

} // namespace pilotune::testing
