#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "base/EncodingWin32.h"
#include "base/PathsWin32.h"
#include "settings/PlacementWin32.h"
#include "settings/SettingsStore.h"

using namespace pilotune;

namespace {
constexpr std::string_view kSection = "FenOption";

class PlacementTest : public ::testing::Test {
  protected:
    void SetUp() override {
        env_.exePath = ExecutablePath();
        env_.userName = "testeur";
        Reopen();
        window_ = Make(0);
        ASSERT_NE(window_, nullptr);
    }
    void TearDown() override {
        for (HWND w : {window_, extra_})
            if (w) DestroyWindow(w);
        DeleteFileW(Widen(store_.Path()).c_str());
    }

    // Hidden windows: no map or unmap round trips with the X server.
    HWND Make(DWORD extraStyle) {
        return CreateWindowExW(0, L"STATIC", L"Option", WS_OVERLAPPEDWINDOW | extraStyle, 30, 40,
                               320, 240, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
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
    HWND window_ = nullptr;
    HWND extra_ = nullptr;
};
} // namespace

TEST_F(PlacementTest, SaveKeepsTheNormalRectangleAndTheFileRoundTripsIt) {
    extra_ = Make(WS_MINIMIZE);
    Placement(store_, extra_, kSection, kPlacementSave, true, kStateNormal);
    EXPECT_FALSE(store_.HasKey(kSection, "WindowState", true));

    store_.WriteInteger(kSection, "Left", 77, true);
    DestroyWindow(extra_);
    extra_ = Make(WS_MAXIMIZE);
    ASSERT_TRUE(IsZoomed(extra_));
    Placement(store_, extra_, kSection, kPlacementSave, true, kStateNormal);
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
