// The Win32 system helpers on real windows, the real registry and real files:
// window placement in the settings, registry values, the Z order, combo box
// texts, another instance's bar, text files.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "RecordingMessages.h"
#include "Simulator.h"
#include "WindowText.h"
#include "base/EncodingWin32.h"
#include "base/HandleWin32.h"
#include "base/PathsWin32.h"
#include "settings/PlacementWin32.h"
#include "settings/RegistryWin32.h"
#include "settings/SettingsFilesWin32.h"
#include "settings/SettingsStore.h"
#include "app/SecondStartWin32.h"
#include "settings/TextFile.h"
#include "ui/ComboBoxWin32.h"

using namespace pilotune;
using pilotune::testing::MakeWindow;
using pilotune::testing::RecordingMessages;

namespace {
constexpr std::string_view kSection = "FenOption";
using OwnedWindow = UniqueHandle<HWND, handle_traits::Simple<HWND, DestroyWindow>>;

// Hidden: no map or unmap round trips with the X server.
HWND Hidden(DWORD style, const wchar_t* cls = L"STATIC", const wchar_t* caption = L"",
            HWND parent = nullptr) {
    return CreateWindowExW(0, cls, caption, style, 30, 40, 320, 240, parent, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

class PlacementTest : public ::testing::Test {
  protected:
    void SetUp() override {
        env_.exePath = ExecutablePath();
        env_.userName = "testeur";
        Reopen();
        ASSERT_NE(window_, nullptr);
    }
    void TearDown() override { DeleteFileW(Widen(store_.Path()).c_str()); }

    static HWND Make(DWORD extraStyle) { return Hidden(WS_OVERLAPPEDWINDOW | extraStyle); }
    void Reopen() {
        store_ = SettingsStore();
        store_.Open("placement-test", env_);
    }
    // Left, top, width and height.
    std::array<long, 4> Box(HWND w) const {
        RECT r{};
        GetWindowRect(w, &r);
        return {r.left, r.top, r.right - r.left, r.bottom - r.top};
    }
    int Read(std::string_view key) const { return store_.ReadInteger(kSection, key, -12345, true); }

    SettingsStore::Environment env_;
    SettingsStore store_;
    HWND window_ = Make(0);
    OwnedWindow owner_{window_};
};
} // namespace

TEST_F(PlacementTest, SaveKeepsTheNormalRectangleAndTheFileRoundTripsIt) {
    OwnedWindow extra(Make(WS_MINIMIZE));
    Placement(store_, extra.Get(), kSection, kPlacementSave, true, kStateNormal);
    EXPECT_FALSE(store_.HasKey(kSection, "WindowState", true));

    store_.WriteInteger(kSection, "Left", 77, true);
    extra.Reset(Make(WS_MAXIMIZE));
    ASSERT_TRUE(IsZoomed(extra.Get()));
    Placement(store_, extra.Get(), kSection, kPlacementSave, true, kStateNormal);
    EXPECT_EQ(Read("WindowState"), 2);
    EXPECT_EQ(Read("Left"), 77); // the normal rectangle is kept for later
    EXPECT_FALSE(store_.HasKey(kSection, "Width", true));

    // A normal window round trips through the file.
    SetWindowPos(window_, nullptr, 110, 120, 400, 300, SWP_NOZORDER | SWP_NOACTIVATE);
    Placement(store_, window_, kSection, kPlacementSave, true, kStateNormal);
    EXPECT_EQ(Read("WindowState"), 0);
    EXPECT_EQ(Read("Left"), 110);
    EXPECT_EQ(Read("Top"), 120);
    EXPECT_EQ(Read("Width"), 400);
    EXPECT_EQ(Read("Height"), 300);
    EXPECT_FALSE(store_.HasKey(kSection, "Left", false)); // per-user section only
    ASSERT_TRUE(store_.Flush().ok);

    Reopen();
    SetWindowPos(window_, nullptr, 5, 6, 200, 100, SWP_NOZORDER | SWP_NOACTIVATE);
    Placement(store_, window_, kSection, kPlacementLoad, true, kStateNormal);
    EXPECT_EQ(Box(window_), (std::array<long, 4>{110, 120, 400, 300}));
    EXPECT_FALSE(IsZoomed(window_));
    EXPECT_FALSE(IsWindowVisible(window_)); // a normal load does not show the window
}

TEST_F(PlacementTest, LoadFallsBackOnDefaultsAndCurrentValues) {
    SetWindowPos(window_, nullptr, 50, 60, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE);
    // Nothing stored, default normal: the window stays as it is.
    Placement(store_, window_, kSection, kPlacementLoad, true, kStateNormal);
    EXPECT_EQ(Box(window_), (std::array<long, 4>{50, 60, 300, 200}));

    // Only some keys: the others keep the current values.
    store_.WriteInteger(kSection, "Top", 90, true);
    store_.WriteText(kSection, "Width", "large", true);
    Placement(store_, window_, kSection, kPlacementLoad, true, kStateNormal);
    EXPECT_EQ(Box(window_), (std::array<long, 4>{50, 90, 300, 200}));

    // A rectangle off every monitor keeps the position; a size that is not
    // positive keeps the size; an unknown state is the default state.
    store_.WriteInteger(kSection, "WindowState", 7, true);
    store_.WriteInteger(kSection, "Left", -30000, true);
    store_.WriteInteger(kSection, "Top", 2147483000, true);
    store_.WriteInteger(kSection, "Width", 0, true);
    store_.WriteInteger(kSection, "Height", -5, true);
    Placement(store_, window_, kSection, kPlacementLoad, true, kStateNormal);
    EXPECT_EQ(Box(window_), (std::array<long, 4>{50, 90, 300, 200}));
    EXPECT_FALSE(IsZoomed(window_));

    // A maximised state shows the window maximised.
    store_.WriteInteger(kSection, "WindowState", 2, true);
    Placement(store_, window_, kSection, kPlacementLoad, true, kStateNormal);
    EXPECT_TRUE(IsZoomed(window_));
    EXPECT_TRUE(IsWindowVisible(window_));

    // Back to normal: restored, then placed.
    store_.WriteInteger(kSection, "WindowState", 0, true);
    store_.WriteInteger(kSection, "Left", 15, true);
    store_.WriteInteger(kSection, "Top", 25, true);
    store_.WriteInteger(kSection, "Width", 333, true);
    store_.WriteInteger(kSection, "Height", 222, true);
    Placement(store_, window_, kSection, kPlacementLoad, true, kStateMaximised);
    EXPECT_FALSE(IsZoomed(window_));
    EXPECT_EQ(Box(window_), (std::array<long, 4>{15, 25, 333, 222}));
}

namespace {
const std::string kBase = "Software\\PilotuneTest-sysutil";

// A REG_SZ value as stored, or nothing when the value (or its key) is absent.
std::optional<std::wstring> ReadValue(HKEY root, const std::string& key, const std::string& name,
                                      DWORD* type = nullptr) {
    wchar_t data[1024] = {};
    DWORD size = sizeof(data), kind = 0;
    if (RegGetValueW(root, Widen(key).c_str(), Widen(name).c_str(), RRF_RT_ANY, &kind, data,
                     &size) != ERROR_SUCCESS)
        return std::nullopt;
    if (type) *type = kind;
    return std::wstring(data); // stops at the terminator
}

bool KeyExists(HKEY root, const std::string& key) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(root, Widen(key).c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return false;
    RegCloseKey(opened);
    return true;
}

class RegistryTest : public ::testing::Test {
  protected:
    void SetUp() override { Clean(); }
    void TearDown() override { Clean(); }
    static void Clean() {
        RegDeleteTreeW(HKEY_CURRENT_USER, Widen(kBase).c_str());
        RegDeleteTreeW(HKEY_CURRENT_USER, L"hkey_current_user");
        RegDeleteValueW(HKEY_CURRENT_USER, L"PilotuneRacine");
    }
    RecordingMessages messages;
};
} // namespace

TEST_F(RegistryTest, WritesReadsBackAndDeletesAStringValue) {
    const std::string run = "C:\\Program Files\\Pilotune é\\Pilotune.exe WindowsLanceDebut";
    ASSERT_TRUE(WriteRegistryText("HKEY_CURRENT_USER\\" + kBase + "\\Run\\Pilotune", run));
    DWORD type = 0;
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kBase + "\\Run", "Pilotune", &type), Widen(run));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));

    // A second write replaces the data; an empty text is a value too.
    ASSERT_TRUE(WriteRegistryText("HKEY_CURRENT_USER\\" + kBase + "\\Run\\Pilotune", ""));
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kBase + "\\Run", "Pilotune"), L"");

    // Without a root name the path is under the current user's hive.
    ASSERT_TRUE(WriteRegistryText(kBase + "\\Sans racine\\Dernière", "oui"));
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kBase + "\\Sans racine", "Dernière"), L"oui");

    // No value name: the key's default value.
    ASSERT_TRUE(
        WriteRegistryText("HKEY_CURRENT_USER\\" + kBase + "\\Défaut\\", "valeur par défaut"));
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kBase + "\\Défaut", ""), L"valeur par défaut");

    EXPECT_TRUE(DeleteRegistryValue("HKEY_CURRENT_USER\\" + kBase + "\\Run\\Pilotune"));
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kBase + "\\Run", "Pilotune"), std::nullopt);
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kBase + "\\Run")); // only the value goes

    // Deleting what is not there: quiet, and no key is created on the way.
    EXPECT_FALSE(DeleteRegistryValue("HKEY_CURRENT_USER\\" + kBase + "\\Run\\Pilotune"));
    EXPECT_FALSE(DeleteRegistryValue("HKEY_CURRENT_USER\\" + kBase + "\\Absent\\Sous\\Valeur"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kBase + "\\Absent"));
    EXPECT_TRUE(messages.errors.empty());
}

TEST_F(RegistryTest, RootNameSelectsTheHiveOnlyWithExactCase) {
    ASSERT_TRUE(WriteRegistryText("HKEY_LOCAL_MACHINE\\" + kBase + "\\Valeur", "machine"));
    EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, kBase, "Valeur"), L"machine");
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kBase, "Valeur"), std::nullopt);
    EXPECT_TRUE(DeleteRegistryValue("HKEY_LOCAL_MACHINE\\" + kBase + "\\Valeur"));
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, Widen(kBase).c_str());

    ASSERT_TRUE(WriteRegistryText("hkey_current_user\\Software\\Valeur", "x"));
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, "hkey_current_user\\Software", "Valeur"), L"x");
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, "Software", "Valeur"), std::nullopt);
    EXPECT_TRUE(DeleteRegistryValue("hkey_current_user\\Software\\Valeur"));
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, "hkey_current_user\\Software", "Valeur"), std::nullopt);
}

TEST_F(RegistryTest, FailuresTellTheUserTheValueName) {
    // Nothing below the root: refused, nothing written into the hive itself.
    EXPECT_FALSE(WriteRegistryText("HKEY_CURRENT_USER", "x"));
    EXPECT_FALSE(WriteRegistryText("HKEY_CURRENT_USER\\PilotuneRacine", "x"));
    EXPECT_FALSE(WriteRegistryText("PilotuneRacine", "x"));
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, "", "PilotuneRacine"), std::nullopt);
    EXPECT_FALSE(DeleteRegistryValue("HKEY_CURRENT_USER"));

    // Keys that cannot be created: a key name longer than the registry allows,
    // and a root that holds no keys.
    const std::string tooLong(300, 'k');
    EXPECT_FALSE(
        WriteRegistryText("HKEY_CURRENT_USER\\" + kBase + "\\" + tooLong + "\\Valeur", "x"));
    EXPECT_FALSE(WriteRegistryText("HKEY_PERFORMANCE_DATA\\Pilotune\\Compteur", "x"));

    const std::string failed = "Echec à la définition des données pour '";
    EXPECT_EQ(messages.errors,
              (std::vector<std::string>{failed + "'", failed + "PilotuneRacine'",
                                        failed + "PilotuneRacine'", failed + "Valeur'",
                                        failed + "Compteur'"}));
}

TEST(System, ComboHasTextIgnoresCaseAccentedLettersIncluded) {
    OwnedWindow combo(CreateWindowExW(0, L"COMBOBOX", L"", WS_POPUP | CBS_DROPDOWN | CBS_HASSTRINGS,
                                      0, 0, 200, 200, nullptr, nullptr, GetModuleHandleW(nullptr),
                                      nullptr));
    ASSERT_NE(combo.Get(), nullptr);
    EXPECT_FALSE(ComboHasText(combo.Get(), "PlayList")); // empty list

    for (const char* item : {"PlayList", "Soirée d'été", "ÇA ÉCOUTE"}) {
        SendMessageW(combo.Get(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(item).c_str()));
    }
    EXPECT_TRUE(ComboHasText(combo.Get(), "PlayList"));
    EXPECT_TRUE(ComboHasText(combo.Get(), "PLAYLIST"));
    EXPECT_TRUE(ComboHasText(combo.Get(), "SOIRÉE D'ÉTÉ"));
    EXPECT_TRUE(ComboHasText(combo.Get(), "ça écoute"));
    EXPECT_FALSE(ComboHasText(combo.Get(), "Soiree d'ete")); // accents still count
    EXPECT_FALSE(ComboHasText(combo.Get(), "Play"));
    EXPECT_FALSE(ComboHasText(combo.Get(), "PlayLists"));
    EXPECT_FALSE(ComboHasText(combo.Get(), ""));
    EXPECT_FALSE(ComboHasText(nullptr, "PlayList"));
}

TEST(System, FindOtherInstanceSeesAnotherTopLevelBarOnly) {
    OwnedWindow first(
        MakeWindow(L"PilotuneTestBar", DefWindowProcW, WS_POPUP, {40, 50, 200, 30}, L"Pilotune"));
    ASSERT_NE(first.Get(), nullptr);
    EXPECT_EQ(FindOtherInstance("PilotuneTestBar", "Pilotune", first.Get()), nullptr);

    // Same class, other caption; same caption, other class; a child window.
    OwnedWindow otherCaption(Hidden(WS_POPUP, L"PilotuneTestBar", L"Pilotune 2"));
    OwnedWindow otherClass(Hidden(WS_POPUP, L"STATIC", L"Pilotune"));
    OwnedWindow host(Hidden(WS_POPUP));
    OwnedWindow child(Hidden(WS_CHILD, L"PilotuneTestBar", L"Pilotune", host.Get()));
    ASSERT_NE(child.Get(), nullptr);
    EXPECT_EQ(FindOtherInstance("PilotuneTestBar", "Pilotune", first.Get()), nullptr);

    OwnedWindow second(Hidden(WS_POPUP, L"PilotuneTestBar", L"Pilotune"));
    EXPECT_EQ(FindOtherInstance("PilotuneTestBar", "Pilotune", first.Get()), second.Get());
    EXPECT_EQ(FindOtherInstance("PilotuneTestBar", "Pilotune", second.Get()), first.Get());
}

TEST(System, ReadTextFileTakesUtf8PathsOnWindows) {
    const std::wstring winPath =
        pilotune::testing::ToWindowsPath(PILOTUNE_BUILD_DIR "/tests/sysutil/Mise à jour été.txt");
    std::ofstream(std::filesystem::path(winPath), std::ios::binary)
        << "Version=1.1\r\nListePlus=\xc3\xa9";

    const Win32SettingsFiles files;
    EXPECT_EQ(ReadTextFile(Narrow(winPath), files), "\r\nVersion=1.1\r\nListePlus=é");
    DeleteFileW(winPath.c_str());
    EXPECT_EQ(ReadTextFile(Narrow(winPath), files), "");
}
