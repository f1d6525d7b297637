// Start-up under Wine, beside the simulator playing: start to visible bar
// (player already running) against a minimal Win32 program that shows one
// window, in the same run; and the size of Pilotune.exe. Idle CPU and memory
// are read from Linux's side by bench/bar_idle.sh.
#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "BenchClock.h"
#include "PilotuneProcess.h"
#include "Simulator.h"

using namespace pilotune::testing;

namespace {
HWND WaitVisible(const wchar_t* cls, const wchar_t* caption) {
    for (int i = 0; i < 20000; ++i) {
        HWND w = FindWindowW(cls, caption);
        if (w && IsWindowVisible(w)) return w;
        Sleep(1);
    }
    return nullptr;
}

double StartMinimal() {
    std::wstring exe =
        ToWindowsPath(std::string(PILOTUNE_BUILD_DIR) + "/bench/winbench_minimal_window.exe");
    STARTUPINFOW si{sizeof(si)};
    PROCESS_INFORMATION pi{};
    const double t0 = NowMs();
    if (!CreateProcessW(exe.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi))
        return -1;
    HWND w = WaitVisible(L"MinimalWindow", L"Minimal");
    const double t = NowMs() - t0;
    if (w) PostMessageW(w, WM_CLOSE, 0, 0);
    WaitForSingleObject(pi.hProcess, 5000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return t;
}

std::string Ini() {
    std::string sim;
    for (wchar_t c : SimulatorExe())
        sim += static_cast<char>(c);
    const std::string user = TestUserName();
    return "[" + user + " Option]\r\nCheminWinamp=" + sim + "\r\nNbOuvert=1\r\n[" + user +
           " Divers]\r\nMAJ=0\r\n";
}

} // namespace

int main() {
    Simulator sim(Simulator::Options{.play = true, .tracks = 10});

    // Both programs are watched for their window in the same way, every
    // millisecond, and take turns: the best of each is compared.
    double best = 1e18, bestMinimal = 1e18;
    for (int pass = 0; pass < 7; ++pass) {
        bestMinimal = std::min(bestMinimal, StartMinimal());
        PilotuneProcess app("bench-start", Ini());
        const double t0 = NowMs();
        const HWND bar =
            app.Start(L"", false) ? WaitVisible(L"TfrmPrincipale", L"Pilotune Fenetre") : nullptr;
        if (!bar) {
            std::printf("Pilotune did not start\n");
            return 1;
        }
        best = std::min(best, NowMs() - t0);
        PostMessageW(bar, WM_CLOSE, 0, 0);
    }
    std::printf("%-40s %8.1f ms  baseline %8.1f ms  ratio %5.2f  (target <= 2.0)\n",
                "start to visible bar", best, bestMinimal, best / bestMinimal);

    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExW(PilotuneExe().c_str(), GetFileExInfoStandard, &data);
    std::printf("%-40s %8.2f MB  (target <= 2 MB)\n", "Pilotune.exe",
                static_cast<double>(data.nFileSizeLow) / (1024.0 * 1024.0));
    return 0;
}
