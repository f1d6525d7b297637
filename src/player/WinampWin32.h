#pragma once
// The player link's Win32 side: real window messages to the player's window,
// bounded in time, and the system services the link needs.
#include <windows.h>

#include "base/HandleWin32.h"
#include "player/PlayerPorts.h"

namespace pilotune {

class Win32PlayerWindow final : public PlayerWindow {
  public:
    // A send waits at most `timeoutMs` for an answer; once the player has failed
    // to answer, later sends wait only `hungTimeoutMs` until it answers again.
    explicit Win32PlayerWindow(unsigned timeoutMs = 1000, unsigned hungTimeoutMs = 50)
        : timeoutMs_(timeoutMs), hungTimeoutMs_(hungTimeoutMs) {}

    bool Find() override;
    bool Exists() override;
    std::optional<std::intptr_t> Send(unsigned msg, std::uintptr_t wParam,
                                      std::intptr_t lParam) override;
    void Post(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) override;
    std::optional<std::string> Caption() override;
    void Show(bool visible) override;
    void RaiseSearchWindow() override;
    std::optional<std::string> ProgramFile() override;
    std::optional<std::string> ReadString(std::uintptr_t address, int unit) override;

    HWND Handle() const { return hwnd_; }
    bool Hung() const { return hung_; }

  private:
    HWND hwnd_ = nullptr;
    bool hung_ = false;
    unsigned timeoutMs_;
    unsigned hungTimeoutMs_;
};

class Win32PlayerSystem final : public PlayerSystem {
  public:
    bool FileExists(const std::string& path) override;
    std::string RegisteredWinampPath() override;
    std::string AskText(const std::string& title, const std::string& prompt,
                        const std::string& value) override;
    void ShowMessage(const std::string& text) override;
    bool Launch(const std::string& path) override;
    // Besides the program closing, the wait ends when the launched process has
    // ended, or has been idle a moment without showing the player's window:
    // it is not the player, or the player failed to start.
    bool WaitForLaunch() override;
    std::uint64_t NowMs() override;
    bool ReadFile(const std::string& path, const std::function<bool(std::string_view)>& chunk,
                  std::string& error) override;
    void DecodeAnsi(std::string_view bytes, std::string& out) override;
    std::optional<std::uint64_t> FileClock() override;
    std::optional<std::uint64_t> FileTime(const std::string& path) override;
    std::string RegisteredPlayerFolder() override;

  private:
    bool LaunchedMayShow();

    KernelHandle launched_; // the process of the last launch, when the shell gave it
    ULONGLONG idleSince_ = 0;
};

// `text` with its %variables% replaced by their values (unknown ones stay).
std::string ExpandVariables(const std::string& text);

} // namespace pilotune
