// The keyboard hook with real key events under Wine (SendInput, then the test
// thread runs its messages so that the hooks on it run): the low-level hook of
// this process, the legacy mode through our KEYBOARD.DLL, and shortcuts end to
// end down to the commands the simulator receives.
#include <windows.h>

#include <gtest/gtest.h>

#include <tlhelp32.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "../bar/LinkedBar.h"
#include "DialogDriving.h"
#include "Waiting.h"
#include "RecordingMessages.h"
#include "Simulator.h"
#include "WindowText.h"
#include "base/EncodingWin32.h"
#include "components/Bindings.h"
#include "components/HookKeyboardWin32.h"
#include "player/Winamp.h"

using namespace pilotune;
using namespace pilotune::testing;

namespace {

// Presses then releases the keys: the first ones are held while the last is typed.
inline void Chord(std::initializer_list<WORD> keys, int pumpMs = 150) {
    for (WORD k : keys)
        SendKey(k, false);
    for (auto it = std::rbegin(keys); it != std::rend(keys); ++it)
        SendKey(*it, true);
    Pump(pumpMs);
}

// Every event of a hook component, in order: "down:", "press:" or "up:" + text.
struct EventLog {
    explicit EventLog(THookKeyboard& hook) {
        hook.OnHookKeyDown = [this](THookKeyboard&, std::uint16_t k, const std::string& t) {
            events.push_back("down:" + t);
            keys.push_back(k);
        };
        hook.OnHookKeyPresse = [this](THookKeyboard&, std::uint16_t, const std::string& t,
                                      TToucheEtendu) { events.push_back("press:" + t); };
        hook.OnHookKeyUp = [this](THookKeyboard&, std::uint16_t, const std::string& t) {
            events.push_back("up:" + t);
        };
    }
    std::vector<std::string> Downs() const {
        std::vector<std::string> d;
        for (const auto& e : events)
            if (e.rfind("down:", 0) == 0) d.push_back(e.substr(5));
        return d;
    }
    std::vector<std::string> events;
    std::vector<std::uint16_t> keys;
};

std::string DllFolder() {
    return Narrow(ToWindowsPath(PILOTUNE_BUILD_DIR "/dist/Pilotune"));
}
bool DllLoaded() {
    return GetModuleHandleW(L"KEYBOARD.DLL") != nullptr;
}

// The texts of the presses of ordinary keys.
std::vector<std::string> Named(const EventLog& log) {
    const std::vector<std::string> downs = log.Downs();
    std::vector<std::string> named;
    for (std::size_t i = 0; i < downs.size(); ++i)
        if (!EstToucheModificatrice(log.keys[i])) named.push_back(downs[i]);
    return named;
}

double NowMs() {
    return static_cast<double>(GetTickCount64());
}

// A visible window with the keyboard focus that notes the keys it receives,
// and when the first came.
struct FocusWindow {
    FocusWindow() {
        hwnd = MakeWindow(L"PilotuneKeysFocus", Proc, WS_POPUP | WS_VISIBLE, {10, 10, 100, 50});
        SetForegroundWindow(hwnd);
        SetFocus(hwnd);
        Pump(100);
        received.clear();
        firstAt = 0;
    }
    ~FocusWindow() { DestroyWindow(hwnd); }
    static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
        if (m != WM_KEYDOWN && m != WM_SYSKEYDOWN) return DefWindowProcW(h, m, w, l);
        if (received.empty()) firstAt = NowMs();
        received.push_back(static_cast<int>(w));
        return DefWindowProcW(h, m, w, l);
    }
    HWND hwnd;
    static inline std::vector<int> received;
    static inline std::atomic<double> firstAt{0};
};

// The threads of this process.
int ThreadCount() {
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 t{};
    t.dwSize = sizeof t;
    int n = 0;
    for (BOOL more = Thread32First(snap, &t); more; more = Thread32Next(snap, &t))
        n += t.th32OwnerProcessID == GetCurrentProcessId();
    CloseHandle(snap);
    return n;
}

// Clicks OK in the message boxes of this thread.
void CloseMessageBoxes() {
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM) {
            wchar_t name[16] = {};
            GetClassNameW(w, name, 16);
            if (std::wstring(name) == L"#32770") PostMessageW(w, WM_COMMAND, IDOK, 0);
            return TRUE;
        },
        0);
}

// Types the keys (each pressed and released) from another thread while this
// thread waits for it in a SendMessage, as the bar waits in a send to the
// player: what runs on this thread meanwhile runs inside that wait, and a
// message posted to it is only dispatched once the wait is over.
void TypeWhileWaitingInASend(const std::vector<WORD>& keys) {
    struct Typist {
        static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
            if (m != WM_APP) return DefWindowProcW(h, m, w, l);
            for (WORD vk : *reinterpret_cast<const std::vector<WORD>*>(l))
                PressKey(vk);
            return 0;
        }
    };
    std::atomic<HWND> window{nullptr};
    std::atomic<bool> done{false};
    std::thread typist([&] {
        window = MakeWindow(L"PilotuneKeysSendWaiter", Typist::Proc, 0, {}, L"", HWND_MESSAGE);
        PumpUntil([&] { return done.load(); }, 20000);
        DestroyWindow(window);
    });
    ASSERT_TRUE(WaitFor([&] { return window.load() != nullptr; }));
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, WM_APP, 0, reinterpret_cast<LPARAM>(&keys), SMTO_NORMAL, 10000,
                        &ignored);
    done = true;
    typist.join();
}

struct Mode {
    const char* name;
    TVersionWindows force;
    bool library;
};
const Mode kModes[] = {{"low-level hook", TVersionWindows::WNT_2000_XP, false},
                       {"library", TVersionWindows::W95_98_ME, true}};

TEST(Hook, EachModeNamesRealKeysSwallowsThemOnDemandAndStopsWhenDisabled) {
    EXPECT_EQ(THookKeyboard::ModeHook(), TVersionWindows::WNT_2000_XP);
    for (const Mode& m : kModes) {
        SCOPED_TRACE(m.name);
        RecordingMessages messages;
        THookKeyboard hook;
        EventLog log(hook);
        hook.ForceWindows = m.force;
        hook.SetRepertoireDll(DllFolder());
        EXPECT_EQ(hook.RepertoireDll(), DllFolder() + "\\");
        hook.Loaded();
        ASSERT_TRUE(hook.HookInstalled());
        EXPECT_EQ(DllLoaded(), m.library);

        Chord({VK_CONTROL, VK_F5});
        Chord({VK_LWIN, VK_SHIFT, 'A'});
        Chord({VK_MEDIA_PLAY_PAUSE});
        EXPECT_EQ(Named(log), (std::vector<std::string>{"Ctrl + Touche F5", "Windows + Shift + A",
                                                        "Touche Lec/Pause"}));
        const bool neutral = std::any_of(log.keys.begin(), log.keys.end(),
                                         [](std::uint16_t k) { return k >= 16 && k <= 18; });
        // The library reports the side-neutral Shift, Ctrl and Alt too; the
        // low-level hook raises nothing for them.
        EXPECT_EQ(neutral, m.library);
        if (!m.library) { // each press: OnHookKeyPresse then OnHookKeyUp for its release
            EXPECT_EQ(log.Downs(),
                      (std::vector<std::string>{"Ctrl + Touche F5", "", "Windows + Shift + A",
                                                "Touche Lec/Pause"}));
            const std::vector<std::string> first(log.events.begin(), log.events.begin() + 3);
            EXPECT_EQ(first,
                      (std::vector<std::string>{"down:Ctrl + Touche F5", "press:Ctrl + Touche F5",
                                                "up:Ctrl + Touche F5"}));
        }

        FocusWindow focus;
        Chord({VK_SHIFT, 'R'});
        ASSERT_EQ(FocusWindow::received, (std::vector<int>{VK_SHIFT, 'R'}));
        FocusWindow::received.clear();
        hook.StopMessage = true;
        if (m.library)
            Chord({'T'});
        else
            Chord({VK_SHIFT, 'T'});
        EXPECT_TRUE(FocusWindow::received.empty());
        EXPECT_EQ(log.Downs().back(), "T"); // still reported; a swallowed Shift is not held
        hook.StopMessage = false;
        Chord({'Y'});
        EXPECT_EQ(FocusWindow::received, std::vector<int>{'Y'});

        hook.SetEnabled(false);
        EXPECT_FALSE(DllLoaded());
        const std::size_t seen = log.events.size();
        Chord({'O'});
        EXPECT_EQ(log.events.size(), seen);
        EXPECT_TRUE(messages.errors.empty());
    }
}

TEST(LowLevelHook, ItsThreadComesAndGoesWithTheHookOnlyOnAChange) {
    const int before = ThreadCount();
    std::optional<THookKeyboard> hook;
    hook.emplace();
    EventLog log(*hook);
    EXPECT_EQ(ThreadCount(), before);
    hook->Loaded();
    hook->Loaded(); // a second load does not stack a second hook
    EXPECT_EQ(ThreadCount(), before + 1);
    Chord({'Q'});
    EXPECT_EQ(log.Downs(), std::vector<std::string>{"Q"});

    hook->SetEnabled(false);
    hook->SetEnabled(false);
    EXPECT_FALSE(hook->HookInstalled());
    EXPECT_EQ(ThreadCount(), before);
    Chord({'W'});
    hook->SetEnabled(true);
    hook->SetEnabled(true);
    EXPECT_EQ(ThreadCount(), before + 1);
    Chord({'E'});
    EXPECT_EQ(log.Downs(), (std::vector<std::string>{"Q", "E"}));

    const ULONGLONG start = GetTickCount64();
    hook.reset();
    EXPECT_LT(GetTickCount64() - start, 200u);
    EXPECT_EQ(ThreadCount(), before);
    Chord({'L'});
    EXPECT_EQ(log.Downs().size(), 2u);
}

// A binding that opens a modal window (the countdown, a message box) while
// more keys wait: they arrive inside its loop, one by one and in order, not all
// at once when it closes.
TEST(Hook, KeysTypedBehindAModalWindowArriveInsideIt) {
    for (const Mode& c : kModes) {
        SCOPED_TRACE(c.name);
        RecordingMessages messages;
        THookKeyboard hook;
        hook.ForceWindows = c.force;
        hook.SetRepertoireDll(DllFolder());
        std::vector<std::string> seen;
        hook.OnHookKeyDown = [&](THookKeyboard&, std::uint16_t, const std::string& t) {
            seen.push_back(t);
            if (t == "Touche F9") CloseMessageBoxes();
            if (t != "Touche F7") return;
            // Closed by F9, or by this timer when F9 never comes.
            const UINT_PTR timer = SetTimer(
                nullptr, 0, 2000, [](HWND, UINT, UINT_PTR, DWORD) { CloseMessageBoxes(); });
            MessageBoxW(nullptr, L"Compte à rebours", L"Pilotune", MB_OK);
            KillTimer(nullptr, timer);
            seen.push_back("closed");
        };
        hook.Loaded();
        ASSERT_TRUE(hook.HookInstalled());
        // Three keys typed at once, before the first one is handled.
        TypeWhileWaitingInASend({VK_F7, VK_F8, VK_F9});
        PumpUntil([&] { return std::find(seen.begin(), seen.end(), "closed") != seen.end(); },
                  8000);
        EXPECT_EQ(seen,
                  (std::vector<std::string>{"Touche F7", "Touche F8", "Touche F9", "closed"}));
        EXPECT_TRUE(messages.errors.empty());
    }
}

TEST(LegacyHook, AMissingLibraryIsNamedWithThePathTried) {
    RecordingMessages messages;
    THookKeyboard hook;
    hook.ForceWindows = TVersionWindows::W95_98_ME;
    hook.SetRepertoireDll("C:\\nulle part\\");
    hook.Loaded();
    EXPECT_EQ(messages.errors,
              std::vector<std::string>{"Dll non trouvée : C:\\nulle part\\KEYBOARD.DLL"});
    EXPECT_TRUE(hook.Enabled());
    EXPECT_FALSE(hook.HookInstalled());

    THookKeyboard bare; // the new current instance; empty folder: the search order
    bare.ForceWindows = TVersionWindows::W95_98_ME;
    bare.SetRepertoireDll("");
    bare.Loaded();
    ASSERT_EQ(messages.errors.size(), 2u);
    EXPECT_EQ(messages.errors[1], "Dll non trouvée : KEYBOARD.DLL");
}

TEST(LegacyHook, BadCopyDataRecordsAreIgnoredAndAWholeOneIsRead) {
    THookKeyboard hook;
    EventLog log(hook);
    // No library loaded: nobody may report keys through the receiver.
    std::uint32_t record[2] = {'B', 0};
    COPYDATASTRUCT whole{0, sizeof record, record};
    EXPECT_EQ(SendMessageW(hook.Receiver(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&whole)), 0);
    Pump(50);
    EXPECT_TRUE(log.events.empty());

    hook.ForceWindows = TVersionWindows::W95_98_ME;
    hook.SetRepertoireDll(DllFolder());
    hook.Loaded();
    ASSERT_TRUE(DllLoaded());
    hook.StopMessage = true;
    std::vector<char> big(1 << 20, '\x7F');
    const COPYDATASTRUCT bad[] = {
        {0, 0, nullptr}, {0, 0, record}, {0, 4, record}, {0, 8, nullptr}, {7, 7, record}};
    for (const COPYDATASTRUCT& cds : bad)
        EXPECT_EQ(SendMessageW(hook.Receiver(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds)), 0);
    EXPECT_EQ(SendMessageW(hook.Receiver(), WM_COPYDATA, 0, 0), 0);
    Pump(50);
    EXPECT_TRUE(log.events.empty());

    // A megabyte: the first eight bytes are the record.
    std::memcpy(big.data(), record, sizeof record);
    COPYDATASTRUCT huge{0, static_cast<DWORD>(big.size()), big.data()};
    EXPECT_EQ(SendMessageW(hook.Receiver(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&huge)), 1);
    record[0] = 0x10000 + 'C'; // only the low 16 bits are the key
    record[1] = 0xC0000001u;   // a release
    EXPECT_EQ(SendMessageW(hook.Receiver(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&whole)), 1);
    PumpUntil([&] { return log.events.size() >= 3; });
    EXPECT_EQ(log.events, (std::vector<std::string>{"down:B", "press:C", "up:C"}));
}

// Another thread of the test, with a focus window: it waits `delayMs`, types
// `vk` and waits for its window to receive the press, that is for the system
// to let the key through.
class Typist {
  public:
    Typist(WORD vk, int delayMs)
        : thread_([this, vk, delayMs] {
              FocusWindow focus;
              ready_ = true;
              ready_.notify_all();
              Sleep(delayMs); // well inside what the test thread does meanwhile
              typedAt = NowMs();
              PressKey(vk);
              PumpUntil([] { return FocusWindow::firstAt != 0; }, 3000);
          }) {
        ready_.wait(false);
    }
    ~Typist() { Join(); }
    void Join() {
        if (thread_.joinable()) thread_.join();
    }
    std::atomic<double> typedAt{0};

  private:
    std::atomic<bool> ready_{false};
    std::thread thread_;
};

// What the bar does with its hook: the bindings run through its dispatcher.
// The simulator is running before the bar's link connects to it.
struct PlayingSimulator {
    Simulator sim{{.speed = 1, .play = true, .tracks = 8}};
};
struct ShortcutsOnSimulator : ::testing::Test, PlayingSimulator, LinkedBar {
    void SetUp() override {
        ASSERT_EQ(window.Handle(), sim.Window());
        option.ClavierActiver = true;
        hook.OnHookKeyDown = [this](THookKeyboard&, std::uint16_t, const std::string& text) {
            keys.ToucheEnfoncee(text);
        };
        hook.Loaded();
        sim.ClearLog();
    }

    Raccourcis keys{option, [this](int a, bool flag, const std::string& p) {
                        bar.dispatcher.ExecuterAction(a, flag, p);
                    }};
    THookKeyboard hook;
};

TEST_F(ShortcutsOnSimulator, OwnBindingsMatchTheWholeTextOnlyWhenActive) {
    option.Bindings = {{true, JOUER, "Ctrl + Touche F5", ""},
                       {false, AVANCER, "Touche F6", ""},
                       {true, STOPPER, "Touche F5", ""},
                       // the text of a release: releases never run a binding
                       {true, RECULER, "Windows + Shift + Windows gauche", ""}};
    link.Stopper();
    sim.ClearLog();
    Chord({VK_CONTROL, VK_F5});
    Chord({VK_F6});
    Chord({VK_LWIN, VK_SHIFT, 'A'});
    EXPECT_EQ(sim.Commands(), std::vector<long long>{kCmdPlay});
    EXPECT_EQ(link.Etat(), PlayerState::Playing);
}

// The link's own wait on a hung player: the key reaches its binding inside
// that wait, and the system's keyboard is not held up.
TEST_F(ShortcutsOnSimulator, WhileTheLinkWaitsOnAHungPlayerTheKeyboardGoesOn) {
    std::vector<double> handled;
    hook.OnHookKeyDown = [&](THookKeyboard&, std::uint16_t, const std::string& text) {
        handled.push_back(NowMs());
        keys.ToucheEnfoncee(text);
    };
    sim.Hang(10000);
    Typist typist(VK_MEDIA_NEXT_TRACK, 200);
    const double start = NowMs();
    EXPECT_EQ(link.Etat(), PlayerState::Stopped); // no answer within the link's second
    EXPECT_GT(NowMs() - start, 500.0);
    PumpUntil([&] { return !handled.empty(); }, 200);
    typist.Join();
    ASSERT_EQ(handled.size(), 1u);
    EXPECT_LT(handled[0] - typist.typedAt, 400.0); // 800 ms if held to the end
    ASSERT_NE(FocusWindow::firstAt, 0.0);
    EXPECT_LT(FocusWindow::firstAt - typist.typedAt, 400.0);
    Chord({VK_MEDIA_NEXT_TRACK});
    EXPECT_EQ(handled.size(), 2u);
    EXPECT_TRUE(hook.HookInstalled());
    sim.Kill();
}

} // namespace
