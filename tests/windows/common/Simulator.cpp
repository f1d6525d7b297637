#include "Simulator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "Waiting.h"
#include "base/EncodingWin32.h"

namespace pilotune::testing {
namespace {

constexpr wchar_t kPlayerClass[] = L"Winamp v1.x";

std::wstring QuoteArg(const std::wstring& s) {
    return L"\"" + s + L"\"";
}

bool WaitGone(HWND w, int ms) {
    return WaitFor([w] { return !IsWindow(w); }, ms);
}

// The bytes of `file` from offset `from` on; the simulator still writes to it.
std::string ReadFileFrom(const std::wstring& file, size_t from) {
    std::ifstream in(std::filesystem::path(file), std::ios::binary);
    in.seekg(static_cast<std::streamoff>(from));
    return {std::istreambuf_iterator<char>(in), {}};
}

std::wstring TempLogName() {
    static std::atomic<int> counter{0};
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    return std::wstring(dir) + L"pilotune-sim-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(++counter) + L".log";
}

} // namespace

std::wstring ToWindowsPath(const std::string& linuxPath) {
    std::wstring wide = L"Z:" + Widen(linuxPath);
    std::replace(wide.begin(), wide.end(), L'/', L'\\');
    return wide;
}

std::wstring SimulatorExe() {
    return ToWindowsPath(std::string(PILOTUNE_BUILD_DIR) + "/dist/winamp-sim/Winamp.exe");
}

void CloseLeftoverSimulators() {
    for (int attempt = 0; attempt < 20; ++attempt) {
        HWND w = FindWindowW(kPlayerClass, nullptr);
        if (!w) return;
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(w, WM_COMMAND, 40001, 0, SMTO_ABORTIFHUNG, 500, &ignored);
        if (WaitGone(w, 500)) continue;
        HANDLE p = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
        if (p) {
            TerminateProcess(p, 1);
            WaitForSingleObject(p, 3000);
            CloseHandle(p);
        }
        WaitGone(w, 1000);
    }
}

Simulator::Simulator() : Simulator(Options{}) {}

Simulator::Simulator(Options o) : logFile_(TempLogName()) {
    CloseLeftoverSimulators();
    std::wostringstream cmd;
    cmd << QuoteArg(o.exe) << L" /log=" << QuoteArg(logFile_) << L" /speed=" << o.speed
        << L" /tracks=" << o.tracks;
    if (o.play) cmd << L" /play";
    if (o.shuffle) cmd << L" /shuffle";
    if (!o.args.empty()) cmd << L" " << o.args;
    if (!o.playlist.empty()) cmd << L" " << QuoteArg(o.playlist);
    std::wstring line = cmd.str();

    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_SHOWNOACTIVATE;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(o.exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &si, &pi)) {
        ADD_FAILURE() << "cannot start the simulator, error " << GetLastError();
        return;
    }
    CloseHandle(pi.hThread);
    process_ = pi.hProcess;
    pid_ = pi.dwProcessId;
    for (int waited = 0; waited < 10000 && Alive() && !window_; waited += 10) {
        HWND w = nullptr;
        while ((w = FindWindowExW(nullptr, w, kPlayerClass, nullptr)) != nullptr) {
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            if (pid == pid_) break;
        }
        if (w) {
            window_ = w;
            if (Send(winampsim::kSimPing, 0, 0, 1000) == winampsim::kSimPingAnswer) break;
            window_ = nullptr;
        }
        Sleep(10);
    }
    if (!window_) ADD_FAILURE() << "the simulator window did not appear within 10 s";
}

Simulator::~Simulator() {
    if (process_) {
        if (Alive() && window_) {
            DWORD_PTR ignored = 0;
            SendMessageTimeoutW(window_, WM_COMMAND, 40001, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
            WaitForSingleObject(process_, 3000);
        }
        if (Alive()) Kill();
        CloseHandle(process_);
    }
    DeleteFileW(logFile_.c_str());
}

bool Simulator::Alive() const {
    return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

void Simulator::Kill() {
    if (!process_) return;
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, 5000);
}

long long Simulator::Send(UINT msg, WPARAM wParam, LPARAM lParam, UINT timeoutMs) const {
    DWORD_PTR result = 0;
    if (!window_ ||
        !SendMessageTimeoutW(window_, msg, wParam, lParam, SMTO_NORMAL, timeoutMs, &result))
        return -999999;
    return static_cast<long long>(static_cast<LRESULT>(result));
}

std::wstring Simulator::Caption() const {
    wchar_t buf[1024] = L"";
    DWORD_PTR ignored = 0;
    if (window_)
        SendMessageTimeoutW(window_, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buf), SMTO_NORMAL,
                            2000, &ignored);
    return buf;
}

std::vector<Simulator::Logged> Simulator::Log() const {
    std::vector<Logged> out;
    std::string data = ReadFileFrom(logFile_, logStart_);
    std::istringstream lines(data.substr(0, data.rfind('\n') + 1)); // complete lines only
    std::string line;
    while (std::getline(lines, line)) {
        long long ms = 0, w = 0, l = 0;
        unsigned msg = 0;
        if (std::sscanf(line.c_str(), "%lld %u %lld %lld", &ms, &msg, &w, &l) == 4)
            out.push_back({msg, w, l});
    }
    return out;
}

std::vector<long long> Simulator::Commands() const {
    std::vector<long long> out;
    for (const Logged& m : Log())
        if (m.msg == WM_COMMAND) out.push_back(m.wParam);
    return out;
}

void Simulator::ClearLog() {
    std::string data = ReadFileFrom(logFile_, logStart_);
    size_t complete = data.rfind('\n');
    if (complete != std::string::npos) logStart_ += complete + 1;
}

void Simulator::SetPosition(int ms) {
    Send(winampsim::kSimSetPosition, static_cast<WPARAM>(ms), 0);
}

void Simulator::SetLength(int track1Based, int seconds) {
    Send(winampsim::kSimSetLength, static_cast<WPARAM>(track1Based), static_cast<LPARAM>(seconds));
}

void Simulator::Freeze(bool on) {
    Send(winampsim::kSimFreeze, on ? 1 : 0, 0);
}

void Simulator::Hang(int ms) {
    if (window_) SendNotifyMessageW(window_, winampsim::kSimHang, static_cast<WPARAM>(ms), 0);
}

} // namespace pilotune::testing
