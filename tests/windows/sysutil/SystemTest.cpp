#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "Simulator.h"
#include "base/EncodingWin32.h"
#include "base/PathsWin32.h"
#include "base/UserNameWin32.h"
#include "settings/SystemWin32.h"
#include "settings/TextFile.h"

using namespace pilotune;

namespace {
// A destroyed-on-scope-exit window.
struct Window {
    HWND hwnd = nullptr;
    explicit Window(HWND w) : hwnd(w) {}
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    ~Window() {
        if (hwnd) DestroyWindow(hwnd);
    }
};

HWND Popup(const wchar_t* cls = L"STATIC", const wchar_t* caption = L"", HWND parent = nullptr) {
    const DWORD style = parent ? WS_CHILD : WS_POPUP; // hidden: quick under Wine and Xvfb
    return CreateWindowExW(0, cls, caption, style, 40, 50, 200, 30, parent, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

bool IsTopMost(HWND w) {
    return (GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}
} // namespace

TEST(System, PlatformUserAndVersion) {
    EXPECT_TRUE(IsWindowsNT());

    wchar_t name[257] = {};
    DWORD size = 257;
    ASSERT_TRUE(GetUserNameW(name, &size));
    const std::string user = UserName();
    EXPECT_FALSE(user.empty());
    EXPECT_EQ(user, Narrow(name));
    EXPECT_EQ(user.find('\0'), std::string::npos);

    std::string version = "inchangé";
    ASSERT_TRUE(FileVersion(version));
    EXPECT_EQ(version, "1.0.0.0"); // tests/windows/common/version.rc
}

TEST(System, SetTopMostChangesOnlyTheZOrder) {
    Window w(Popup());
    ASSERT_NE(w.hwnd, nullptr);
    RECT before{};
    GetWindowRect(w.hwnd, &before);
    ASSERT_FALSE(IsTopMost(w.hwnd));

    EXPECT_TRUE(SetTopMost(w.hwnd, -1));
    EXPECT_TRUE(IsTopMost(w.hwnd));
    EXPECT_FALSE(SetTopMost(w.hwnd, 3)); // not a Z-order position: nothing happens
    EXPECT_TRUE(IsTopMost(w.hwnd));
    EXPECT_TRUE(SetTopMost(w.hwnd, static_cast<signed char>(254))); // -2 as a byte
    EXPECT_FALSE(IsTopMost(w.hwnd));

    RECT after{};
    GetWindowRect(w.hwnd, &after);
    EXPECT_TRUE(EqualRect(&before, &after));
    EXPECT_FALSE(SetTopMost(nullptr, -1));
}

TEST(System, ComboHasTextIgnoresCaseAccentedLettersIncluded) {
    Window combo(CreateWindowExW(0, L"COMBOBOX", L"", WS_POPUP | CBS_DROPDOWN | CBS_HASSTRINGS, 0,
                                 0, 200, 200, nullptr, nullptr, GetModuleHandleW(nullptr),
                                 nullptr));
    ASSERT_NE(combo.hwnd, nullptr);
    EXPECT_FALSE(ComboHasText(combo.hwnd, "PlayList")); // empty list

    for (const char* item : {"PlayList", "Soirée d'été", "ÇA ÉCOUTE"}) {
        SendMessageW(combo.hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(item).c_str()));
    }
    EXPECT_TRUE(ComboHasText(combo.hwnd, "PlayList"));
    EXPECT_TRUE(ComboHasText(combo.hwnd, "PLAYLIST"));
    EXPECT_TRUE(ComboHasText(combo.hwnd, "SOIRÉE D'ÉTÉ"));
    EXPECT_TRUE(ComboHasText(combo.hwnd, "ça écoute"));
    EXPECT_FALSE(ComboHasText(combo.hwnd, "Soiree d'ete")); // accents still count
    EXPECT_FALSE(ComboHasText(combo.hwnd, "Play"));
    EXPECT_FALSE(ComboHasText(combo.hwnd, "PlayLists"));
    EXPECT_FALSE(ComboHasText(combo.hwnd, ""));
    EXPECT_FALSE(ComboHasText(nullptr, "PlayList"));
}

TEST(System, FindOtherInstanceSeesAnotherTopLevelBarOnly) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"PilotuneTestBar";
    ASSERT_NE(RegisterClassW(&wc), 0);

    Window first(Popup(L"PilotuneTestBar", L"Pilotune"));
    ASSERT_NE(first.hwnd, nullptr);
    EXPECT_EQ(FindOtherInstance("PilotuneTestBar", "Pilotune", first.hwnd), nullptr);

    // Same class, other caption; same caption, other class; a child window.
    Window otherCaption(Popup(L"PilotuneTestBar", L"Pilotune 2"));
    Window otherClass(Popup(L"STATIC", L"Pilotune"));
    Window host(Popup());
    Window child(Popup(L"PilotuneTestBar", L"Pilotune", host.hwnd));
    ASSERT_NE(child.hwnd, nullptr);
    EXPECT_EQ(FindOtherInstance("PilotuneTestBar", "Pilotune", first.hwnd), nullptr);

    Window second(Popup(L"PilotuneTestBar", L"Pilotune"));
    EXPECT_EQ(FindOtherInstance("PilotuneTestBar", "Pilotune", first.hwnd), second.hwnd);
    EXPECT_EQ(FindOtherInstance("PilotuneTestBar", "Pilotune", second.hwnd), first.hwnd);
    EXPECT_EQ(GetWindowTextLengthW(first.hwnd), 8); // captions are left as they were
    EXPECT_EQ(GetWindowTextLengthW(second.hwnd), 8);
}

TEST(System, ReadTextFileTakesUtf8PathsOnWindows) {
    const std::wstring winPath =
        pilotune::testing::ToWindowsPath(PILOTUNE_BUILD_DIR "/tests/sysutil/Mise à jour été.txt");
    HANDLE file = CreateFileW(winPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    const char bytes[] = "Version=1.1\r\nListePlus=\xc3\xa9";
    WriteFile(file, bytes, sizeof bytes - 1, &written, nullptr);
    CloseHandle(file);

    EXPECT_EQ(ReadTextFile(Narrow(winPath)), "\r\nVersion=1.1\r\nListePlus=é");
    DeleteFileW(winPath.c_str());
    EXPECT_EQ(ReadTextFile(Narrow(winPath)), "");
}
