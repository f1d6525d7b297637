#pragma once
// Windows tests at another DPI: Wine reads LogPixels only when a process
// starts, so the test sets it and runs its own program again for the cases
// that need it.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <initializer_list>
#include <string>

namespace pilotune::testing {

// Sets LogPixels for the processes started meanwhile; puts the old value back.
class LogPixels {
  public:
    explicit LogPixels(DWORD dpi) {
        DWORD size = sizeof(old_);
        had_ = RegGetValueW(HKEY_CURRENT_USER, kDesktop, L"LogPixels", RRF_RT_REG_DWORD, nullptr,
                            &old_, &size) == ERROR_SUCCESS;
        Write(dpi);
    }
    ~LogPixels() {
        if (had_)
            Write(old_);
        else
            RegDeleteKeyValueW(HKEY_CURRENT_USER, kDesktop, L"LogPixels");
    }
    LogPixels(const LogPixels&) = delete;
    LogPixels& operator=(const LogPixels&) = delete;

  private:
    static constexpr wchar_t kDesktop[] = L"Control Panel\\Desktop";
    static void Write(DWORD value) {
        RegSetKeyValueW(HKEY_CURRENT_USER, kDesktop, L"LogPixels", REG_DWORD, &value,
                        sizeof(value));
    }
    DWORD old_ = 96;
    bool had_ = false;
};

// Runs this test program again with only the tests of `filter`, the DPI in
// the environment variable `variable`; its exit code (1000 and up: it did not
// start or did not end within two minutes).
inline DWORD RunSelfAtDpi(int dpi, const wchar_t* filter, const char* variable) {
    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring command =
        L"\"" + std::wstring(exe) + L"\" --gtest_filter=" + filter + L" --gtest_brief=1";
    SetEnvironmentVariableA(variable, std::to_string(dpi).c_str());
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        nullptr, &startup, &process);
    SetEnvironmentVariableA(variable, nullptr);
    if (!started) return 1000;
    DWORD code = 1001;
    if (WaitForSingleObject(process.hProcess, 120000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &code);
    else
        TerminateProcess(process.hProcess, 1002);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

// The parent's side: one child run per DPI, with LogPixels set meanwhile,
// each of which must pass.
inline void RunAtEachDpi(std::initializer_list<int> dpis, const wchar_t* filter,
                         const char* variable) {
    for (int dpi : dpis) {
        LogPixels setting(static_cast<DWORD>(dpi));
        EXPECT_EQ(RunSelfAtDpi(dpi, filter, variable), 0u)
            << dpi << " DPI: see the child's output above";
    }
}

// In a child run, the DPI it was started at; 0 in the parent's own run.
inline int ChildDpi(const char* variable) {
    const char* value = std::getenv(variable);
    return value ? std::atoi(value) : 0;
}

} // namespace pilotune::testing
