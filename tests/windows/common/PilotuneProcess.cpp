#include "PilotuneProcess.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "Simulator.h"

namespace pilotune::testing {

namespace {
std::wstring Wide(const std::string& s) {
    std::wstring out(s.size() * 2 + 1, L'\0');
    const int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), out.data(),
                                      static_cast<int>(out.size()));
    out.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return out;
}

HWND WaitForBar(DWORD ms) {
    const ULONGLONG end = GetTickCount64() + ms;
    while (GetTickCount64() < end) {
        // Shown only once created, set up and started.
        HWND bar = FindWindowW(L"TfrmPrincipale", L"Pilotune Fenetre");
        if (bar && IsWindowVisible(bar)) return bar;
        Sleep(50);
    }
    return nullptr;
}
} // namespace

std::wstring PilotuneExe() {
    return ToWindowsPath(std::string(PILOTUNE_BUILD_DIR) + "/dist/Pilotune/Pilotune.exe");
}

std::string TestUserName() {
    wchar_t name[257] = {};
    DWORD size = 257;
    if (!GetUserNameW(name, &size)) return {};
    const std::wstring w(name);
    std::string out(w.size() * 3 + 1, '\0');
    const int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), out.data(),
                                      static_cast<int>(out.size()), nullptr, nullptr);
    out.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return out;
}

PilotuneProcess::PilotuneProcess(const std::string& name, const std::string& ini) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    folder_ = std::wstring(temp) + L"pilotune-" + Wide(name);
    CreateDirectoryW(folder_.c_str(), nullptr);
    DeleteFileW((folder_ + L"\\Pilotune.ini").c_str());
    CopyFileW(PilotuneExe().c_str(), (folder_ + L"\\Pilotune.exe").c_str(), FALSE);
    if (!ini.empty()) {
        std::ofstream out(std::filesystem::path(folder_ + L"\\Pilotune.ini"), std::ios::binary);
        out << ini;
    }
}

PilotuneProcess::~PilotuneProcess() {
    if (Alive()) {
        if (bar_ && IsWindow(bar_)) PostMessageW(bar_, WM_CLOSE, 0, 0);
        if (!WaitExit(5000)) Kill();
    }
    if (process_) CloseHandle(process_);
}

bool PilotuneProcess::Start(const std::wstring& args, bool waitBar) {
    std::wstring command = L"\"" + folder_ + L"\\Pilotune.exe\" " + args;
    STARTUPINFOW si{sizeof(si)};
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder_.c_str(), &si, &pi))
        return false;
    CloseHandle(pi.hThread);
    process_ = pi.hProcess;
    if (!waitBar) return true;
    bar_ = WaitForBar(15000);
    return bar_ != nullptr;
}

DWORD PilotuneProcess::RunSecond(const std::wstring& args) {
    std::wstring command = L"\"" + folder_ + L"\\Pilotune.exe\" " + args;
    STARTUPINFOW si{sizeof(si)};
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder_.c_str(), &si, &pi))
        return static_cast<DWORD>(-1);
    CloseHandle(pi.hThread);
    DWORD code = static_cast<DWORD>(-2);
    if (WaitForSingleObject(pi.hProcess, 15000) == WAIT_OBJECT_0)
        GetExitCodeProcess(pi.hProcess, &code);
    else
        TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hProcess);
    return code;
}

bool PilotuneProcess::WaitExit(DWORD ms) {
    return !process_ || WaitForSingleObject(process_, ms) == WAIT_OBJECT_0;
}

bool PilotuneProcess::Alive() const {
    return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

void PilotuneProcess::Kill() {
    if (Alive()) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, 5000);
    }
}

std::string PilotuneProcess::Ini() const {
    std::ifstream in(std::filesystem::path(folder_ + L"\\Pilotune.ini"), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace pilotune::testing
