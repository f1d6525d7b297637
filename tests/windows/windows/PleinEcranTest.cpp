// The full-screen view in the program's own assembly, beside the simulator:
// opened and closed by PLEINECRAN, real mouse and keys, the tick's refresh.
#include <gtest/gtest.h>

#include "../schedule/BarHarness.h"
#include "Waiting.h"
#include "WindowInput.h"
#include "windows/FPleinEcranWin32.h"
#include "windows/PleinEcranScene.h"

using namespace pilotune;
using namespace pilotune::testing;

namespace {

struct PleinEcranOnSimulator : ::testing::Test {
    BarHarness h{{.speed = 1, .play = true, .tracks = 6}};

    void SetUp() override { h.Start(); }
    void TearDown() override {
        if (h.app.PleinEcran()) h.app.PleinEcran()->Close();
    }
    HWND OpenView() {
        h.bar.dispatcher.ExecuterAction(PLEINECRAN, false);
        HWND view = FindWindowW(kPleinEcranClass, kPleinEcranCaption);
        h.RunUntil([] { return false; }, 200); // its first paint
        return view;
    }
    bool Open() const { return const_cast<BarHarness&>(h).app.PleinEcran() != nullptr; }
    const Scene& View() { return h.app.PleinEcran()->ViewScene(); }
    // The area the view has left to repaint, in pixels.
    long long PendingArea(HWND view) {
        GdiObject<HRGN> region{CreateRectRgn(0, 0, 0, 0)};
        if (GetUpdateRgn(view, region.Get(), FALSE) <= NULLREGION) return 0;
        const DWORD size = GetRegionData(region.Get(), 0, nullptr);
        std::vector<char> data(size);
        auto* rgn = reinterpret_cast<RGNDATA*>(data.data());
        GetRegionData(region.Get(), size, rgn);
        long long area = 0;
        const RECT* r = reinterpret_cast<const RECT*>(rgn->Buffer);
        for (DWORD i = 0; i < rgn->rdh.nCount; ++i)
            area += static_cast<long long>(r[i].right - r[i].left) * (r[i].bottom - r[i].top);
        return area;
    }
};

TEST_F(PleinEcranOnSimulator, PleinEcranOpensOverTheScreenBelowTheBarAndASecondOneClosesIt) {
    HWND view = OpenView();
    ASSERT_TRUE(view);
    EXPECT_TRUE(IsWindowVisible(view));
    RECT r{};
    GetWindowRect(view, &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(r.bottom, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(GetForegroundWindow(), view);
    // The bar is seen above the view, also after the view was clicked.
    RECT bar{};
    GetWindowRect(h.app.Bar().Handle(), &bar);
    const POINT onBar{bar.left + 100, bar.top + 5};
    EXPECT_EQ(WindowFromPoint(onBar), h.app.Bar().Handle());
    ClickAt(view, 500, 300);
    h.RunUntil([] { return false; }, 200);
    EXPECT_EQ(WindowFromPoint(onBar), h.app.Bar().Handle());
    BringWindowToTop(view); // what an activation by a click does on Windows
    EXPECT_EQ(WindowFromPoint(onBar), h.app.Bar().Handle());
    EXPECT_TRUE(Open());

    h.bar.dispatcher.ExecuterAction(PLEINECRAN, false);
    EXPECT_FALSE(Open());
    EXPECT_FALSE(FindWindowW(kPleinEcranClass, nullptr));
    EXPECT_TRUE(IsWindow(h.app.Bar().Handle())); // the program goes on
    // Freed after its last message; a third opens a new view.
    h.RunUntil([] { return false; }, 100);
    EXPECT_TRUE(OpenView());
}

// J opens the player's title search and leaves the view; Escape, the close
// picture and a double click on the time close the view and only it.
TEST_F(PleinEcranOnSimulator, KeysAndClicksThatCloseTheViewAndJThatDoesNot) {
    HWND view = OpenView();
    ASSERT_TRUE(view);
    h.app.PleinEcran()->Focus();
    h.sim.ClearLog();
    PressKey('J');
    ASSERT_TRUE(h.RunUntil([&] { return h.Logged(WM_COMMAND, kCmdSearchWindow, 0) == 1; }, 2000));
    EXPECT_TRUE(Open());
    h.app.PleinEcran()->Focus();
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(h.RunUntil([&] { return !Open(); }, 2000));
    EXPECT_FALSE(FindWindowW(kPleinEcranClass, nullptr));

    view = OpenView();
    ASSERT_TRUE(view);
    const Rect ferme = View()["imgFerme"].bounds;
    MouseAt(view, ferme.left + 10, ferme.top + 10);
    h.RunUntil([] { return false; }, 150);
    EXPECT_TRUE(View()["shaSelection"].visible); // the hover frames the picture
    EXPECT_EQ(View()["shaSelection"].bounds, SelectionAround(ferme));
    ClickAt(view, ferme.left + 10, ferme.top + 10);
    EXPECT_TRUE(h.RunUntil([&] { return !Open(); }, 2000));
    EXPECT_TRUE(IsWindow(h.app.Bar().Handle()));

    view = OpenView();
    ASSERT_TRUE(view);
    const Rect duree = View()["lblDureeB"].bounds;
    const int x = duree.left + duree.width / 2, y = duree.top + duree.height / 2;
    ClickAt(view, x, y);
    ClickAt(view, x, y);
    EXPECT_TRUE(h.RunUntil([&] { return !Open(); }, 2000));
}

TEST_F(PleinEcranOnSimulator, TheCopyLabelsFollowAfficheBT) {
    h.option.AfficheBT = false;
    ASSERT_TRUE(OpenView());
    EXPECT_FALSE(View()["lblCopierB"].visible);
    EXPECT_FALSE(View()["lblCopierN"].visible);
    h.option.AfficheBT = true;
    h.app.ApplySettings();
    EXPECT_TRUE(View()["lblCopierB"].visible);
    EXPECT_TRUE(View()["lblCopierN"].visible);
}

TEST_F(PleinEcranOnSimulator, TheTickBringsTitleTimeAndProgressInBothTimeDisplays) {
    h.sim.SetLength(h.link.NumeroTitre(), 120);
    HWND view = OpenView();
    ASSERT_TRUE(view);
    const Element& barTitle = h.bar.state.scene["lblTitreB"];
    ASSERT_TRUE(h.RunUntil([&] { return View()["lblDureeB"].text != "00:00"; }, 4000));
    ASSERT_TRUE(h.RunUntil(
        [&] {
            return View()["lblTitreB"].text == barTitle.text &&
                   View()["shaAvanceB"].bounds.width > 0;
        },
        2000));
    EXPECT_NE(View()["lblTitreB"].text, "Titre");
    EXPECT_EQ(View()["lblTitreN"].text, View()["lblTitreB"].text);
    const std::string before = View()["lblDureeB"].text;
    ASSERT_TRUE(h.RunUntil([&] { return View()["lblDureeB"].text != before; }, 3000));
    EXPECT_EQ(View()["lblDureeB"].text, h.bar.state.scene["lblDureeB"].text);
    EXPECT_EQ(View()["shaAvanceB"].bounds.left, View()["shaBord1B"].bounds.left);
    const Rect b = View()["shaAvanceB"].bounds, n = View()["shaAvanceN"].bounds;
    EXPECT_EQ(n, b.Moved(4, -4));
    EXPECT_TRUE(SaveWindowBmp(view, "fullscreen-playing"));

    // The remaining time: the bar starts further right and ends at the right end.
    h.bar.dispatcher.ExecuterAction(AFFICHENEGATIF, false);
    ASSERT_TRUE(h.RunUntil([&] { return View()["lblDureeB"].text.starts_with("-"); }, 2000));
    const Rect rest = View()["shaAvanceB"].bounds;
    EXPECT_GT(rest.left, View()["shaBord1B"].bounds.left);
    EXPECT_EQ(rest.Right(), View()["shaBord2B"].bounds.left);
    EXPECT_TRUE(SaveWindowBmp(view, "fullscreen-remaining"));
}

TEST_F(PleinEcranOnSimulator, ATickRepaintsTheTimeAndTheProgressNotTheScreen) {
    h.sim.Freeze(true);
    HWND view = OpenView();
    ASSERT_TRUE(view);
    TfrmPleinEcran& v = *h.app.PleinEcran();
    v.TickRefresh(30, 120);
    UpdateWindow(view);
    ASSERT_EQ(PendingArea(view), 0);
    // A second later: a new time and a longer bar.
    h.bar.state.twins.duree.SetText("00:31");
    v.TickRefresh(31, 120);
    const long long area = PendingArea(view);
    const long long screen =
        static_cast<long long>(GetSystemMetrics(SM_CXSCREEN)) * GetSystemMetrics(SM_CYSCREEN);
    EXPECT_GT(area, 0);
    EXPECT_LT(area, screen / 10) << area << " of " << screen;
    UpdateWindow(view);
    // Nothing changed: nothing to repaint.
    v.TickRefresh(31, 120);
    EXPECT_EQ(PendingArea(view), 0);
}

} // namespace
