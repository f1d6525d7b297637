// The full-screen view at 96, 120, 144 and 192 DPI, each in a child run (Wine
// reads the DPI when a process starts): its design scaled (pictures, letters),
// its labels' texts whole, a click in the middle of the track seeks to about
// half and one above it does nothing, and a screenshot of each.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "../schedule/BarHarness.h"
#include "AtEachDpi.h"
#include "Simulator.h"
#include "WindowInput.h"
#include "ui/GdiWin32.h"
#include "ui/Layout.h"
#include "ui/ScenePainterWin32.h"
#include "windows/FPleinEcranWin32.h"
#include "windows/PleinEcranScene.h"

using namespace pilotune;
using namespace pilotune::testing;

constexpr char kChildVariable[] = "PILOTUNE_VIEW_DPI_CHILD";

TEST(PleinEcranAtDpi, ScalesItsDesignAt96To192) {
    RunAtEachDpi({96, 120, 144, 192}, L"PleinEcranAtOneDpi.*", kChildVariable);
}

TEST(PleinEcranAtOneDpi, PicturesLettersTextsAndSeek) {
    const int dpi = ChildDpi(kChildVariable);
    if (!dpi) GTEST_SKIP() << "run by PleinEcranAtDpi with the DPI set";
    BeDpiAware();
    ASSERT_EQ(ScreenDpi(), dpi);
    // The design scales with the DPI as far as it fits the screen.
    const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    const auto S = [&](int design) { return ScaleToDpi(design, ViewDpi(sw, sh, dpi)); };

    BarHarness h{{.speed = 1, .play = true, .tracks = 6}};
    h.Start();
    const int track = h.link.NumeroTitre();
    h.sim.SetLength(track, 200);
    ASSERT_TRUE(h.RunUntil([&] { return h.link.Duree() == 200; }, 2000));
    h.bar.dispatcher.ExecuterAction(PLEINECRAN, false);
    TfrmPleinEcran* view = h.app.PleinEcran();
    ASSERT_TRUE(view);
    HWND window = view->Handle();
    h.RunUntil([] { return false; }, 700); // a tick or two: time, title, progress
    const Scene& scene = view->ViewScene();

    for (const char* button : {"imgRecule", "imgJoue", "imgStop", "imgFerme"}) {
        EXPECT_EQ(scene[button].bounds.width, S(34)) << button;
        EXPECT_EQ(scene[button].bounds.height, S(34)) << button;
    }
    EXPECT_EQ(scene["imgSens"].bounds.width, S(49));
    EXPECT_EQ(scene["lblTitreB"].font.height, S(80));
    EXPECT_EQ(scene["lblHazardN"].font.height, S(27));
    EXPECT_EQ(scene["shaBord1B"].bounds.width, S(7));
    // Nothing crowds: the time between the pause and stop pictures, the
    // indicators side by side, the title below the time.
    const auto before = [&](const char* a, const char* b) {
        return scene[a].bounds.Right() <= scene[b].bounds.left;
    };
    EXPECT_TRUE(before("imgPause", "lblDureeB"));
    EXPECT_TRUE(before("lblDureeB", "imgStop"));
    EXPECT_TRUE(before("lblHazardB", "lblOptionB"));
    EXPECT_LE(scene["imgJoue"].bounds.Bottom(), scene["lblTitreB"].bounds.top);

    // The one-line labels' texts fit their bounds in the view's face.
    ScenePainter painter(nullptr);
    HDC dc = GetDC(nullptr);
    for (const char* name : {"lblHazardB", "lblOptionB", "lblCopierB"}) {
        const Element& e = scene[name];
        HGDIOBJ old = SelectObject(dc, painter.FontFor(e.font));
        SIZE extent{};
        const std::wstring wide = Widen(e.text);
        GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &extent);
        SelectObject(dc, old);
        EXPECT_LE(extent.cx, e.bounds.width) << name << " \"" << e.text << "\"";
        EXPECT_LE(extent.cy, e.bounds.height + S(4)) << name;
    }
    ReleaseDC(nullptr, dc);
    EXPECT_TRUE(SaveWindowBmp(window, "fullscreen-" + std::to_string(dpi)));

    const Rect bar = scene["shaAvanceB"].bounds;
    const int l = scene["shaBord1B"].bounds.left, r = scene["shaBord2B"].bounds.left;
    h.sim.ClearLog();
    ClickAt(window, (l + r) / 2, bar.top - bar.height - S(2)); // above the track's zone
    h.RunUntil([] { return false; }, 300);
    EXPECT_EQ(h.Logged(WM_USER, -1, kQuerySeek), 0);
    ASSERT_TRUE(h.app.PleinEcran());
    ClickAt(window, (l + r) / 2, bar.top + S(2));
    ASSERT_TRUE(h.RunUntil([&] { return h.Logged(WM_USER, -1, kQuerySeek) == 1; }, 3000));
    long long seekMs = -1;
    for (const auto& m : h.sim.Log())
        if (m.msg == WM_USER && m.lParam == kQuerySeek) seekMs = static_cast<long long>(m.wParam);
    EXPECT_NEAR(seekMs, 102000, 2000); // half of 200 s, + 2 s
    view->Close();
}

// Windows tells the view its monitor's DPI changed: it keeps covering the
// monitor and draws its design at the new scale.
TEST(PleinEcranDpiChange, TheViewRescalesOnWmDpiChanged) {
    BarHarness h{{.speed = 1, .play = true, .tracks = 6}};
    h.Start();
    h.bar.dispatcher.ExecuterAction(PLEINECRAN, false);
    TfrmPleinEcran* view = h.app.PleinEcran();
    ASSERT_TRUE(view);
    const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    RECT suggested{0, 0, sw * 3 / 2, sh * 3 / 2};
    SendMessageW(view->Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&suggested));
    RECT r{};
    GetWindowRect(view->Handle(), &r);
    EXPECT_EQ(r.right - r.left, sw);
    EXPECT_EQ(r.bottom - r.top, sh);
    const int dpi = ViewDpi(sw, sh, 144);
    EXPECT_GT(dpi, 96);
    EXPECT_EQ(view->ViewScene()["imgJoue"].bounds.width, ScaleToDpi(34, dpi));
    EXPECT_EQ(view->ViewScene()["lblDureeB"].font.height, ScaleToDpi(80, dpi));
    view->Close();
}
