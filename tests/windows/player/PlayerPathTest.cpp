// Resolving the player's path with Wine's real registry and the real input box.
#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

#include "ModalDriver.h"
#include "RecordingMessages.h"
#include "Simulator.h"
#include "player/Winamp.h"
#include "player/WinampWin32.h"
#include "settings/Codecs.h"
#include "base/EncodingWin32.h"
#include "settings/SettingsStore.h"
#include "ui/InputBoxWin32.h"

using namespace pilotune;
using namespace pilotune::testing;

namespace {
constexpr wchar_t kAppPaths[] =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\winamp.exe";

struct PathResolution : ::testing::Test {
    Windows1252Codec codec;
    DayMonthYearDateCodec dates;
    SettingsStore store;
    Win32PlayerSystem system;
    RecordingMessages messages;
    void SetUp() override {
        RegDeleteKeyW(HKEY_LOCAL_MACHINE, kAppPaths);
        store.Open("C:\\pilotune-test-path.ini", {"C:\\x.exe", "test", &codec, &dates});
        store.WriteText("Option", "CheminWinamp", "C:\\absent\\Winamp.exe", true);
    }
    void TearDown() override { RegDeleteKeyW(HKEY_LOCAL_MACHINE, kAppPaths); }

    // Answers the input box from another thread: types `text`, presses `button`.
    std::thread Answer(std::wstring text, int button) {
        return std::thread([text, button] {
            HWND box = WaitForWindow(kInputBoxClass, 10000);
            HWND edit = box ? GetDlgItem(box, kInputBoxEditId) : nullptr;
            if (!edit) return;
            SetWindowTextW(edit, text.c_str());
            PostMessageW(box, WM_COMMAND, button, 0);
        });
    }
};
} // namespace

TEST_F(PathResolution, TheAppPathsEntryOrElseTheInputBoxReplacesAMissingPath) {
    const std::wstring sim = SimulatorExe();
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kAppPaths, 0, nullptr, 0, KEY_WRITE, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(sim.c_str()),
                   static_cast<DWORD>((sim.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    EXPECT_EQ(ResolveWinampPath(store, system), Narrow(sim));
    EXPECT_EQ(store.ReadText("Option", "CheminWinamp", "", true), Narrow(sim));
    EXPECT_TRUE(messages.infos.empty());

    // Without it, the input box gives the path, confirmed or cancelled.
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, kAppPaths);
    store.WriteText("Option", "CheminWinamp", "C:\\absent\\Winamp.exe", true);
    std::thread user = Answer(sim, IDOK);
    EXPECT_EQ(ResolveWinampPath(store, system), Narrow(sim));
    user.join();
    EXPECT_TRUE(messages.infos.empty());

    store.WriteText("Option", "CheminWinamp", "C:\\absent\\Winamp.exe", true);
    user = Answer(L"C:\\toujours absent.exe", IDCANCEL);
    EXPECT_EQ(ResolveWinampPath(store, system), "C:\\toujours absent.exe");
    user.join();
    EXPECT_EQ(store.ReadText("Option", "CheminWinamp", "", true), "C:\\toujours absent.exe");
    ASSERT_EQ(messages.infos.size(), 1u);
    EXPECT_EQ(messages.infos[0].substr(0, 21), std::string(20, ' ') + "V");
}
