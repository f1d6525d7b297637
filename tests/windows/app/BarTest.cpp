// The real program under Wine beside the real simulator, driven through its
// window as a user's mouse and a second start drive it.
#include <windows.h>

#include <tlhelp32.h>
#include <wtsapi32.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

#include "DialogDriving.h"
#include "PilotuneProcess.h"
#include "Simulator.h"
#include "Waiting.h"
#include "WindowText.h"
#include "app/SecondStart.h"
#include "bar/BarScene.h"
#include "bar/FPrincipaleWin32.h"
#include "base/HandleWin32.h"
#include "options/FOptionWin32.h"
#include "schedule/Action.h"

using namespace pilotune;
using namespace pilotune::testing;

namespace {

struct BarOnSimulator : ::testing::Test {
    Simulator sim{Simulator::Options{.tracks = 10}};
    std::unique_ptr<PilotuneProcess> app;
    Scene scene = BuildBarScene();

    void Launch(const std::string& name, const std::string& options = "") {
        app = std::make_unique<PilotuneProcess>(name, SimulatorIni(options));
        ASSERT_TRUE(app->Start());
        RECT r{};
        GetWindowRect(app->Bar(), &r);
        LayoutBar(scene, GetSystemMetrics(SM_CXSCREEN), r.left);
    }
    POINT Centre(const char* element) {
        const Rect b = scene[element].bounds;
        return {b.left + b.width / 2, b.top + b.height / 2};
    }
    void Click(POINT p) {
        const LPARAM at = MAKELPARAM(p.x, p.y);
        PostMessageW(app->Bar(), WM_MOUSEMOVE, 0, at);
        PostMessageW(app->Bar(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageW(app->Bar(), WM_LBUTTONUP, 0, at);
        AnswerTime(app->Bar(), WM_NULL, 0, 0, 2000);
    }
    void CloseAndWait() {
        PostMessageW(app->Bar(), WM_CLOSE, 0, 0);
        ASSERT_TRUE(app->WaitExit(8000));
    }
};

// The value that runs the program when Windows starts, as the setting says.
std::wstring RunAtStart() {
    wchar_t value[1024] = {};
    DWORD size = sizeof(value);
    if (RegGetValueW(HKEY_CURRENT_USER, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run",
                     L"Pilotune", RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
        return L"<absent>";
    return value;
}

TEST_F(BarOnSimulator, AppearsTopmostAtItsPlaceStartsThePlayerKeepsTheTimeShownAndRunsAtStart) {
    Launch("appears", "LancerDemarrageWindows=1\r\n");
    EXPECT_EQ(RunAtStart(), L"\"" + app->Folder() + L"\\Pilotune.exe\" WindowsLanceDebut");
    RECT r{};
    GetWindowRect(app->Bar(), &r);
    EXPECT_EQ(r.left, 450);
    EXPECT_EQ(r.top, 0);
    const LONG ex = GetWindowLongW(app->Bar(), GWL_EXSTYLE);
    EXPECT_TRUE(ex & WS_EX_TOPMOST);
    EXPECT_TRUE(ex & WS_EX_TOOLWINDOW); // no taskbar button
    EXPECT_EQ(WindowText(app->Bar()), "Pilotune Fenetre");
    EXPECT_TRUE(WaitFor([&] { return sim.User(104) == 1; }));
    // The time click switches to the remaining time; the setting keeps it.
    Click(Centre("lblDureeB"));
    CloseAndWait();
    EXPECT_NE(app->Ini().find("AffichageNeg=1"), std::string::npos);
    // Another copy leaves the value alone, set off or on; this one removes it.
    const std::wstring value = RunAtStart();
    for (const char* setting : {"LancerDemarrageWindows=0\r\n", "LancerDemarrageWindows=1\r\n"}) {
        Launch("other-copy", setting);
        EXPECT_EQ(RunAtStart(), value);
        CloseAndWait();
    }
    Launch("appears", "LancerDemarrageWindows=0\r\n");
    EXPECT_EQ(RunAtStart(), L"<absent>");
}

TEST_F(BarOnSimulator, ASecondStartHandsItsKeywordsToTheRunningBarWithoutAnyOnlySaysSo) {
    Launch("second");
    std::string text;
    std::thread reader([&] { text = ReadAndCloseMessageBox(); });
    EXPECT_EQ(app->RunSecond(L""), 0u);
    reader.join();
    EXPECT_EQ(text, "Pilotune est déjà ouvert. Fermer le avant de continuer.");
    EXPECT_EQ(FindWindowW(L"TfrmPrincipale", L"Pilotune Fenetre"), app->Bar());
    ASSERT_TRUE(WaitFor([&] { return sim.User(104) == 1; }));
    sim.ClearLog();
    EXPECT_EQ(app->RunSecond(L"STOPPER"), 0u);
    EXPECT_TRUE(WaitFor([&] { return sim.User(104) == 0; }));
    EXPECT_EQ(app->RunSecond(L"jouer PAUSER"), 0u);
    EXPECT_TRUE(WaitFor([&] { return sim.Commands().size() >= 3; }));
    EXPECT_EQ(sim.Commands(), (std::vector<long long>{40047, 40045, 40046}));

    // EXECUTER with a path split by the command line: the file is opened.
    const std::wstring dir = app->Folder() + L"\\un dossier";
    CreateDirectoryW(dir.c_str(), nullptr);
    const std::wstring marker = dir + L"\\ouvert.txt";
    DeleteFileW(marker.c_str());
    std::ofstream(std::filesystem::path(dir + L"\\marque.bat"), std::ios::binary)
        << "echo ok > \"" << NarrowPath(marker) << "\"\r\n";
    EXPECT_EQ(app->RunSecond(L"EXECUTER " + dir + L"\\marque.bat"), 0u);
    EXPECT_TRUE(WaitFor(
        [&] { return GetFileAttributesW(marker.c_str()) != INVALID_FILE_ATTRIBUTES; }, 10000));
}

TEST_F(BarOnSimulator, FermerWAClosesThePlayerWithTheProgramAndTheProgramWithThePlayer) {
    Launch("fermer1", "FermerWA=1\r\n");
    CloseAndWait();
    EXPECT_TRUE(WaitFor([&] { return !sim.Alive(); }, 6000));
    const std::string ini = app->Ini();
    const std::string section = "[" + TestUserName() + " Option]";
    ASSERT_NE(ini.find(section), std::string::npos) << ini;
    for (const char* key : {"PositionLeft=450", "PositionTop=0", "NbOuvert=2"})
        EXPECT_NE(ini.find(key, ini.find(section)), std::string::npos) << key << "\n" << ini;

    Simulator again{Simulator::Options{.tracks = 10}};
    Launch("fermer2", "FermerWA=1\r\n");
    again.Command(40001);
    EXPECT_TRUE(app->WaitExit(8000));
}

// Ends the threads of `bar`'s process that run at the highest priority (the
// keyboard hook's); returns how many.
int EndHighPriorityThreads(HWND bar) {
    DWORD pid = 0;
    GetWindowThreadProcessId(bar, &pid);
    const KernelHandle snapshot{CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0)};
    THREADENTRY32 t{};
    t.dwSize = sizeof t;
    int ended = 0;
    for (BOOL more = Thread32First(snapshot.Get(), &t); more;
         more = Thread32Next(snapshot.Get(), &t)) {
        const KernelHandle thread{t.th32OwnerProcessID == pid
                                      ? OpenThread(THREAD_ALL_ACCESS, FALSE, t.th32ThreadID)
                                      : nullptr};
        if (thread && GetThreadPriority(thread.Get()) == THREAD_PRIORITY_HIGHEST &&
            TerminateThread(thread.Get(), 0))
            ended += WaitForSingleObject(thread.Get(), 5000) == WAIT_OBJECT_0;
    }
    return ended;
}

TEST_F(BarOnSimulator, TheMediaKeysReachThePlayerThroughTheDefaultShortcuts) {
    Launch("keys", "[" + TestUserName() + " Clavier]\r\nClavierActiver=1\r\n");
    ASSERT_TRUE(WaitFor([&] { return sim.User(104) == 1; }));
    sim.ClearLog();
    auto press = [](WORD key) {
        PressKey(key);
        Sleep(150);
    };
    press(VK_MEDIA_PLAY_PAUSE); // "Touche Lec/Pause": PAUSER while playing
    press(VK_MEDIA_NEXT_TRACK);
    press(VK_MEDIA_STOP);
    const std::vector<long long> expected = {40046, 40048, 40047};
    EXPECT_TRUE(WaitFor([&] { return sim.Commands() == expected; }))
        << ::testing::PrintToString(sim.Commands());

    // Windows drops the hook (here its thread ends): the session coming back,
    // or the shortcuts applied with nothing changed, put it back.
    auto click = [](HWND w) {
        RECT r{};
        GetClientRect(w, &r);
        MouseAt(w, r.right / 2, r.bottom / 2, MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP);
    };
    auto applied = [&](HWND) { // a box ticked and unticked, then Ok
        EXPECT_EQ(app->RunSecond(L"AFFICHEOPTION"), 0u);
        HWND dialog = nullptr, box = nullptr;
        ASSERT_TRUE(WaitFor([&] {
            dialog = FindWindowW(L"TfrmOption", nullptr);
            return dialog && IsWindowVisible(dialog) &&
                   (box = DescendantWithText(dialog, "Affiche le temp restant "));
        }));
        for (HWND w : {box, box, DescendantWithId(dialog, IDOK)})
            click(w), AnswerTime(dialog);
        EXPECT_TRUE(WaitFor([] { return !FindWindowW(L"TfrmOption", nullptr); }));
    };
    const std::function<void(HWND)> comebacks[] = {
        [](HWND bar) { AnswerTime(bar, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC); },
        [](HWND bar) { AnswerTime(bar, WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK); }, applied};
    for (const auto& comeback : comebacks) {
        sim.ClearLog();
        ASSERT_EQ(EndHighPriorityThreads(app->Bar()), 1);
        comeback(app->Bar());
        press(VK_MEDIA_NEXT_TRACK);
        EXPECT_TRUE(WaitFor([&] { return sim.Commands() == std::vector<long long>{40048}; }))
            << &comeback - comebacks;
    }
}

TEST_F(BarOnSimulator, TheCopyIndicatorCopiesThePlayingTrack) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring dest = std::wstring(temp) + L"pilotune-copie\\sous dossier";
    const std::string destText = NarrowPath(dest);
    Launch("copy", "[" + TestUserName() + " Copie]\r\nAfficheBT=1\r\nChemin=" + destText + "\r\n");
    ASSERT_TRUE(WaitFor([&] { return sim.User(104) == 1; }));
    Click(Centre("lblCopierB"));
    // The destination folder is created with its parents; the track lands there.
    EXPECT_TRUE(WaitFor(
        [&] {
            WIN32_FIND_DATAW data;
            HANDLE find = FindFirstFileW((dest + L"\\*.mp3").c_str(), &data);
            if (find == INVALID_HANDLE_VALUE) return false;
            FindClose(find);
            return true;
        },
        6000));
    CloseAndWait();
    EXPECT_NE(app->Ini().find("Chemin=" + destText + "\\"), std::string::npos) << app->Ini();
}

// A library of Windows' own name planted beside the program is not loaded for
// the help; the interface thread has its COM apartment.
TEST_F(BarOnSimulator, LoadsNoLibraryPlantedBesideItAndItsInterfaceThreadHasCom) {
    app = std::make_unique<PilotuneProcess>("planted", SimulatorIni());
    const std::wstring dist = PilotuneExe().substr(0, PilotuneExe().rfind(L'\\'));
    ASSERT_TRUE(CopyFileW((dist + L"\\KEYBOARD.DLL").c_str(),
                          (app->Folder() + L"\\hhctrl.ocx").c_str(), FALSE));
    ASSERT_TRUE(app->Start());
    EXPECT_EQ(app->RunSecond(L"AIDE"), 0u);
    DWORD pid = 0;
    const DWORD uiThread = GetWindowThreadProcessId(app->Bar(), &pid);
    const KernelHandle modules{CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid)};
    MODULEENTRY32W m{};
    m.dwSize = sizeof m;
    int seen = 0;
    for (BOOL more = Module32FirstW(modules.Get(), &m); more;
         more = Module32NextW(modules.Get(), &m)) {
        ++seen;
        const bool beside = !_wcsnicmp(m.szExePath, app->Folder().c_str(), app->Folder().size());
        EXPECT_FALSE(beside && _wcsicmp(m.szModule, L"Pilotune.exe")) << NarrowPath(m.szExePath);
    }
    EXPECT_GT(seen, 3);
    // A single-threaded apartment has a window of COM's on its thread.
    bool com = false;
    for (HWND parent : {HWND(nullptr), HWND_MESSAGE})
        for (HWND w = nullptr; (w = FindWindowExW(parent, w, L"OleMainThreadWndClass", nullptr));)
            com = com || GetWindowThreadProcessId(w, nullptr) == uiThread;
    EXPECT_TRUE(com);
}

std::vector<WPARAM> g_handedOver; // actions the stand-in bar received

LRESULT CALLBACK LateBarProc(HWND w, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kMsgSecondStartAction) g_handedOver.push_back(wParam);
    return DefWindowProcW(w, msg, wParam, lParam);
}

// The test plays a first instance still starting (its player launching): it
// holds the instance's mutex and shows its bar only later. A second start
// meanwhile opens no second program and loses none of its keywords.
TEST(SecondStart, DuringTheFirstStartUpWaitsForTheBarThenHandsOver) {
    const KernelHandle first{CreateMutexW(nullptr, FALSE, kInstanceMutex)};
    ASSERT_TRUE(first);
    PilotuneProcess second("second-start-early", SimulatorIni());
    DWORD code = 1;
    std::thread run([&] { code = second.RunSecond(L"PAUSER"); });
    Pump(1500);
    EXPECT_EQ(CountWindowsTitled(kBarCaption), 0) << "the second start opened a program of its own";

    HWND bar = MakeWindow(L"LateBar", LateBarProc, WS_POPUP, {0, 0, 10, 10}, kBarCaption);
    PumpUntil([] { return !g_handedOver.empty(); }, 10000);
    run.join();
    EXPECT_EQ(g_handedOver, std::vector<WPARAM>{PAUSER});
    EXPECT_EQ(code, 0u);

    // A bar too busy to answer in time reads the text later: its atom stays.
    constexpr wchar_t kLate[] = L"lu plus tard";
    EXPECT_EQ(second.RunSecond(kLate), 0u); // this thread answers nothing meanwhile
    const ATOM late = GlobalFindAtomW(kLate);
    EXPECT_NE(late, 0);
    DestroyWindow(bar);
    GlobalDeleteAtom(late);
}

} // namespace
