#pragma once
// A small stand-in for the control bar, wired to the schedule and the
// programmes as the bar's form wires them: the bar's logic (dispatcher and
// playback monitor) over the real player link and the real simulator, a
// window whose timers drive the 500 ms tick and the 1000 ms schedule pass, and
// a painter for the bar's scene.
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "NullBarServices.h"
#include "Simulator.h"
#include "bar/BarLogic.h"
#include "bar/BarProgrammeView.h"
#include "bar/BarScene.h"
#include "player/Winamp.h"
#include "player/WinampWin32.h"
#include "programmes/ProgrammePlayerLink.h"
#include "programmes/ProgrammePorts.h"
#include "programmes/Programmes.h"
#include "schedule/InfoTwin.h"
#include "schedule/Planification.h"
#include "schedule/ScheduleClockWin32.h"
#include "settings/EncodingWin32.h"
#include "settings/Option.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsWin32.h"
#include "ui/ScenePainterWin32.h"
#include "ui/WindowWin32.h"

namespace pilotune::testing {

struct BarHarness;

// BarServices: the schedule and programme calls reach the real objects.
class HarnessServices final : public NullBarServices {
  public:
    explicit HarnessServices(BarHarness& h) : h_(h) {}
    void ProgrammePlayback(bool flag, const std::string& name) override;
    void ProgrammeRecording(bool flag) override;
    void ProgrammeNext() override;
    void ProgrammeStep(bool changed) override;
    int ScheduleEntryCount() override;
    void ScheduleRearm(int index) override;
    void ScheduleCancel() override;
    void ScheduleCancelAll() override;
    void ScheduleEvaluate(bool tick) override;
    void ScheduleUpdateInfo() override;

  private:
    BarHarness& h_;
};

class HarnessWindow final : public Window {
  public:
    explicit HarnessWindow(BarHarness& h) : h_(h) {}
    static constexpr UINT_PTR kTick = 1, kSchedule = 2;

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    BarHarness& h_;
    ScenePainter painter_{[](HDC, const Element&) {}};
};

struct BarHarness {
    explicit BarHarness(Simulator::Options o) : sim(o) {
        const std::filesystem::path exe = Widen(ExecutablePath());
        ini = exe.parent_path() / "harness.ini";
        std::filesystem::remove(ini);
        store.Open(Narrow(ini.wstring()), ProgramEnvironment());
        link.Connecter();
        plan.SetRunner([this](int action, const std::string& parameter) {
            bar.dispatcher.ExecuterAction(action, false, parameter);
        });
    }
    ~BarHarness() { window.Destroy(); }

    // Shows the bar at the top of the screen and starts its two timers.
    void Start() {
        bar.monitor.Start();
        LayoutBar(bar.state.scene, 1024, 0);
        window.Create(L"PilotuneHarnessBar", WS_EX_TOPMOST | WS_EX_TOOLWINDOW, WS_POPUP, L"bar", 0,
                      0, 1024, kBarHeight);
        ShowWindow(window.Handle(), SW_SHOWNOACTIVATE);
        SetTimer(window.Handle(), HarnessWindow::kTick, 500, nullptr);
        if (plan.Activer) SetTimer(window.Handle(), HarnessWindow::kSchedule, 1000, nullptr);
        ShowInfo(plan.UpdateInfo(), bar.state.twins.info);
    }

    // Runs the message loop until `done` or `ms`; true when `done`.
    template <class Done> bool RunUntil(Done done, int ms) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (!done()) {
            if (std::chrono::steady_clock::now() > end) return false;
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
            Sleep(10);
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

    // Saves what the bar shows as a BMP beside the test.
    bool Screenshot(const std::string& name);

    Simulator sim;
    std::filesystem::path ini;
    SettingsStore store;
    Win32PlayerWindow playerWindow;
    Win32PlayerSystem system;
    TPilotune link{playerWindow, system, Narrow(SimulatorExe())};
    COption option;
    HarnessServices services{*this};
    BarLogic bar{option, link, store, services};
    LocalScheduleClock clock;
    CPlanification plan{store, clock};
    ProgrammePlayerLink programmePlayer{link};
    BarProgrammeView programmeBar{bar.state};
    CProgrammes programmes{option, store, programmePlayer, programmeBar};
    HarnessWindow window{*this};
};

} // namespace pilotune::testing
