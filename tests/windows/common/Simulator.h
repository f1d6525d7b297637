#pragma once
// Starts and drives the player simulator (tools/winamp-sim) from a Windows
// test: one simulator window at a time, a private log file, the inspection
// messages of SimProtocol.h.
#include "../../../tools/winamp-sim/SimProtocol.h" // the inspection messages

#include <windows.h>

#include <string>
#include <vector>

namespace pilotune::testing {

std::wstring ToWindowsPath(const std::string& linuxPath); // "/a/b" -> "Z:\\a\\b"
std::wstring SimulatorExe(); // PILOTUNE_BUILD_DIR "/dist/winamp-sim/Winamp.exe" as a Windows path

class Simulator {
  public:
    struct Options {
        double speed = 1.0;
        bool play = false;
        bool shuffle = false;
        int tracks = 30;
        std::wstring playlist; // an .m3u or a folder; empty: the generated library
        std::wstring exe = SimulatorExe();
        std::wstring args; // more options, "/profile=wacup /unicode" say
    };

    explicit Simulator(
        Options o); // closes any leftover simulator, launches, waits (<= 10 s) for the window
    Simulator();
    ~Simulator(); // WM_COMMAND 40001, then TerminateProcess if still alive
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;

    HWND Window() const { return window_; }
    bool Alive() const;
    void Kill(); // TerminateProcess, waits for the end

    struct Logged {
        unsigned msg;
        long long wParam, lParam;
    };
    std::vector<Logged> Log() const;         // parsed log since the last ClearLog, in order
    std::vector<long long> Commands() const; // the WM_COMMAND ids of the log, in order
    void ClearLog();

    void SetPosition(int ms);
    void SetLength(int track1Based, int seconds);
    void Freeze(bool on);
    void Hang(int ms); // returns at once; the simulator blocks in its window procedure for ms

    // Sends msg and returns the answer; -999999 when the window does not answer within timeoutMs.
    long long Send(UINT msg, WPARAM wParam, LPARAM lParam, UINT timeoutMs = 2000) const;
    long long User(LPARAM query, WPARAM wParam = 0) const { return Send(WM_USER, wParam, query); }
    void Command(WPARAM id) const { Send(WM_COMMAND, id, 0); }
    std::wstring Caption() const;

  private:
    std::wstring logFile_;
    size_t logStart_ = 0;
    HANDLE process_ = nullptr;
    DWORD pid_ = 0;
    HWND window_ = nullptr;
};

// Closes every "Winamp v1.x" window (asks first, then ends its process).
void CloseLeftoverSimulators();

} // namespace pilotune::testing
