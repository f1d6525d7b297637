#pragma once
// The program's own assembly (the bar's window, its logic, the schedule and
// the programmes wired as the program wires them) over the real player link
// and the real simulator, with a settings file of its own beside the test.
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "Simulator.h"
#include "app/ApplicationWin32.h"
#include "base/EncodingWin32.h"
#include "base/PathsWin32.h"
#include "ui/WindowWin32.h"
#include "base/UserNameWin32.h"
#include "player/Winamp.h"
#include "player/WinampWin32.h"
#include "schedule/Planification.h"
#include "schedule/ScheduleClockWin32.h"
#include "settings/Option.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsWin32.h"

namespace pilotune::testing {

struct BarHarness {
    explicit BarHarness(Simulator::Options o) : sim(o) {
        const std::filesystem::path exe = Widen(ExecutablePath());
        ini = exe.parent_path() / "harness.ini";
        // Not the first start (no options dialog), no update check.
        std::ofstream(ini, std::ios::binary | std::ios::trunc)
            << "[" << Utf8ToAnsi(UserName()) << " Option]\r\nNbOuvert=1\r\n["
            << Utf8ToAnsi(UserName()) << " Divers]\r\nMAJ=0\r\n";
        store.Open(Narrow(ini.wstring()), ProgramEnvironment());
        link.Connecter();
    }

    // Shows the bar at the top of the screen, with its timers running.
    void Start() {
        option.Load(store, [this](const std::string& name) { return link.ChercherTitre(name); });
        app.Start();
    }

    // Runs the message loop until `done` or `ms`; true when `done`.
    template <class Done> bool RunUntil(Done done, int ms) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (!done()) {
            if (std::chrono::steady_clock::now() > end) return false;
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchWindowMessage(msg); // as the program's loop: dialog keys first
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
        return true;
    }

    int Logged(unsigned msg, long long w, long long l) const {
        int n = 0;
        for (const auto& m : sim.Log())
            n += m.msg == msg && (w < 0 || m.wParam == w) && m.lParam == l;
        return n;
    }

    std::string FileText() const {
        std::ifstream in(ini, std::ios::binary);
        return AnsiToUtf8(std::string{std::istreambuf_iterator<char>(in), {}});
    }

    Simulator sim;
    std::filesystem::path ini;
    SettingsStore store;
    Win32PlayerWindow playerWindow;
    Win32PlayerSystem system;
    TPilotune link{playerWindow, system, Narrow(SimulatorExe())};
    COption option;
    LocalScheduleClock clock;
    CPlanification plan{store, clock};
    Application app{store, option, link, plan};
    BarLogic& bar = app.Logic();
};

} // namespace pilotune::testing
