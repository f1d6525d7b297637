#include "PilotuneProcess.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "Simulator.h"
#include "Waiting.h"
#include "base/EncodingWin32.h"

namespace pilotune::testing {

namespace {
// Starts Pilotune.exe of `folder` with `args`; null when it cannot start.
HANDLE Launch(const std::wstring& folder, const std::wstring& args) {
    std::wstring command = L"\"" + folder + L"\\Pilotune.exe\" " + args;
    STARTUPINFOW si{sizeof(si)};
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &si, &pi))
        return nullptr;
    CloseHandle(pi.hThread);
    return pi.hProcess;
}
} // namespace

std::wstring PilotuneExe() {
    return ToWindowsPath(std::string(PILOTUNE_BUILD_DIR) + "/dist/Pilotune/Pilotune.exe");
}

std::string TestUserName() {
    wchar_t name[257] = {};
    DWORD size = 257;
    return GetUserNameW(name, &size) ? Narrow(name) : std::string();
}

std::string SimulatorIni(const std::string& options) {
    const std::string user = TestUserName();
    return "[" + user + " Option]\r\nCheminWinamp=" + NarrowPath(SimulatorExe()) +
           "\r\nNbOuvert=1\r\n" + options + "[" + user + " Divers]\r\nMAJ=0\r\n";
}

long AnswerTime(HWND window, UINT msg, WPARAM w, LPARAM l, UINT timeoutMs) {
    const ULONGLONG start = GetTickCount64();
    DWORD_PTR ignored = 0;
    if (!SendMessageTimeoutW(window, msg, w, l, SMTO_NORMAL, timeoutMs, &ignored)) return -1;
    return static_cast<long>(GetTickCount64() - start);
}

PilotuneProcess::PilotuneProcess(const std::string& name, const std::string& ini) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    folder_ = std::wstring(temp) + L"pilotune-" + Widen(name);
    CreateDirectoryW(folder_.c_str(), nullptr);
    DeleteFileW((folder_ + L"\\Pilotune.ini").c_str());
    CopyFileW(PilotuneExe().c_str(), (folder_ + L"\\Pilotune.exe").c_str(), FALSE);
    if (!ini.empty())
        std::ofstream(std::filesystem::path(folder_ + L"\\Pilotune.ini"), std::ios::binary) << ini;
}

PilotuneProcess::~PilotuneProcess() {
    if (Alive()) {
        if (bar_ && IsWindow(bar_)) PostMessageW(bar_, WM_CLOSE, 0, 0);
        if (!WaitExit(5000)) Kill();
    }
    if (process_) CloseHandle(process_);
}

bool PilotuneProcess::Start(const std::wstring& args, bool waitBar) {
    process_ = Launch(folder_, args);
    if (!process_ || !waitBar) return process_ != nullptr;
    // Shown only once created, set up and started.
    const bool shown = WaitFor(
        [&] {
            bar_ = FindWindowW(L"TfrmPrincipale", L"Pilotune Fenetre");
            return bar_ && IsWindowVisible(bar_);
        },
        15000);
    if (!shown) bar_ = nullptr;
    return shown;
}

DWORD PilotuneProcess::RunSecond(const std::wstring& args) {
    HANDLE process = Launch(folder_, args);
    if (!process) return static_cast<DWORD>(-1);
    DWORD code = static_cast<DWORD>(-2);
    if (WaitForSingleObject(process, 15000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process, &code);
    else
        TerminateProcess(process, 1);
    CloseHandle(process);
    return code;
}

bool PilotuneProcess::WaitExit(DWORD ms) {
    return !process_ || WaitForSingleObject(process_, ms) == WAIT_OBJECT_0;
}

bool PilotuneProcess::Alive() const {
    return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

DWORD PilotuneProcess::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (process_) GetExitCodeProcess(process_, &code);
    return code;
}

void PilotuneProcess::Kill() {
    if (Alive()) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, 5000);
    }
}

std::string PilotuneProcess::Ini() const {
    std::ifstream in(std::filesystem::path(folder_ + L"\\Pilotune.ini"), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

} // namespace pilotune::testing
