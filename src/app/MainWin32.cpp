// Program entry: one instance; a second start hands its command line to the
// running one; the first creates the shared objects in order and runs the bar.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include <memory>
#include <string>
#include <vector>

#include "app/SecondStart.h"
#include "base/HandleWin32.h"
#include "base/PathsWin32.h"
#include "app/ApplicationWin32.h"
#include "player/Winamp.h"
#include "player/WinampWin32.h"
#include "schedule/Action.h"
#include "schedule/Planification.h"
#include "schedule/ScheduleClockWin32.h"
#include "base/EncodingWin32.h"
#include "base/FailureLogWin32.h"
#include "settings/Option.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsWin32.h"
#include "app/SecondStartWin32.h"
#include "base/MessagesWin32.h"

using namespace pilotune;

namespace {

constexpr UINT kSendTimeoutMs = 5000;

std::vector<std::string> Arguments() {
    std::vector<std::string> args;
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!argv) return args;
    for (int i = 1; i < count; ++i)
        args.push_back(Narrow(argv[i]));
    LocalFree(argv);
    return args;
}

// The bar of the running instance, waited for while it starts (bounded).
HWND WaitForBar(DWORD ms) {
    const ULONGLONG end = GetTickCount64() + ms;
    for (;;) {
        if (HWND bar = FindWindowW(nullptr, kBarCaption)) return bar;
        if (GetTickCount64() >= end) return nullptr;
        // This process has no window yet: nothing waits on it.
        Sleep(100);
    }
}

// A second start: the running bar gets the actions and texts, nothing more.
int HandOver(const std::vector<std::string>& args) {
    if (args.empty() || !WaitForBar(kWaitForBarMs)) {
        Messages().Info("Pilotune est déjà ouvert. Fermer le avant de continuer.");
        return 0;
    }
    const auto plan = PlanSecondStart(args, [](std::string_view word) -> std::optional<int> {
        if (auto a = ActionParNom(word)) return static_cast<int>(*a);
        return std::nullopt;
    });
    for (const SecondStartMessage& m : plan) {
        HWND bar = FindWindowW(nullptr, kBarCaption);
        if (!bar) return 0;
        DWORD_PTR ignored = 0;
        if (!m.isText) {
            const WPARAM action =
                static_cast<WPARAM>(m.action) | (m.textFollows ? kTextFollows : 0);
            SendMessageTimeoutW(bar, kMsgSecondStartAction, action, 0, SMTO_NORMAL, kSendTimeoutMs,
                                &ignored);
            continue;
        }
        GlobalAtom atom{GlobalAddAtomW(Widen(m.text).c_str())};
        if (!atom) continue;
        // Unanswered in time, the message still waits in the bar's queue: its
        // atom must outlive this process, or the bar would read a deleted one
        // (or another program's that took its number).
        if (!SendMessageTimeoutW(bar, kMsgSecondStartText, atom.Get(), 0, SMTO_NORMAL,
                                 kSendTimeoutMs, &ignored))
            atom.Release();
    }
    return 0;
}

// COM for the interface thread, apartment-threaded: the shell's verbs and
// dialogs that COM serves need it on the thread that calls them.
class ComApartment {
  public:
    ComApartment()
        : ok_(SUCCEEDED(
              CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ~ComApartment() {
        if (ok_) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

  private:
    bool ok_;
};

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    RestrictLibrarySearch();
    const ComApartment com;
    InstallMessageBoxes();

    const std::vector<std::string> args = Arguments();
    const KernelHandle instance{CreateMutexW(nullptr, FALSE, kInstanceMutex)};
    const bool another = instance && GetLastError() == ERROR_ALREADY_EXISTS;
    if (another || FindOtherInstance(Narrow(kBarClass), Narrow(kBarCaption), nullptr))
        return HandOver(args);

    SettingsStore store;
    OpenProgramSettings(store);
    int exitCode = 0;
    {
        Win32PlayerWindow playerWindow;
        Win32PlayerSystem playerSystem;
        auto player = std::make_unique<TPilotune>(playerWindow, playerSystem,
                                                  ResolveWinampPath(store, playerSystem));
        player->ForcerProfil(store.ReadText("Option", kProfileKey, "", true));
        player->Connecter();
        COption option;
        option.Load(store, [&](const std::string& name) { return player->ChercherTitre(name); });
        LocalScheduleClock clock;
        CPlanification plan(store, clock);
        plan.StartedByWindows = IsWindowsStart(args);
        plan.Load();

        Application application(store, option, *player, plan);
        if (!application.Start()) {
            // Each window that could not be made has said so already.
            LogFailure("Démarrage de Pilotune abandonné");
            return 1;
        }
        exitCode = RunMessageLoop();
    }
    if (store.IsOpen()) {
        FlushOrWarn(store);
        store.Close();
    }
    return exitCode;
}
