// The bar beside the real simulator process: its excerpt mode on the
// simulator's frozen clock, and the bar at 96 to 192 DPI in the program's own
// assembly (size, texts, real clicks, a screenshot each; the test runs itself
// again at each DPI, as Wine reads LogPixels only when a process starts).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "../schedule/BarHarness.h"
#include "../windows/WindowInput.h"
#include "RunAtDpi.h"
#include "LinkedBar.h"
#include "bar/BarLogic.h"
#include "bar/FPrincipaleWin32.h"
#include "ui/Layout.h"

using namespace pilotune;
using namespace pilotune::testing;

namespace {

// The simulator's clock stands still: the test moves the position, then runs
// the bar's tick.
TEST(BarOnSimulator, ExcerptModeMovesOnAtTheExcerptLengthOfPlayerTime) {
    Simulator sim{{.play = true, .tracks = 12}};
    sim.Freeze(true);
    LinkedBar linked;
    auto& [window, system, link, option, store, services, bar] = linked;
    ASSERT_EQ(window.Handle(), sim.Window());
    linked.Start();
    const auto nexts = [&] {
        return std::ranges::count_if(sim.Log(), [](const Simulator::Logged& m) {
            return m.msg == WM_COMMAND && m.wParam == kCmdNext && m.lParam == 0;
        });
    };
    option.NbExtrait = 4;
    bar.dispatcher.ExecuterAction(EXTRAIT, false);
    link.JouerTitre(1);
    sim.ClearLog();
    for (int track = 1; track <= 3; ++track) {
        for (int ms : {3999, 4000}) {
            sim.SetPosition(ms);
            bar.monitor.Tick();
            EXPECT_EQ(nexts(), ms < 4000 ? track - 1 : track) << track << " at " << ms << " ms";
        }
        EXPECT_EQ(link.NumeroTitre(), track + 1);
    }
}

constexpr char kChildVariable[] = "PILOTUNE_BAR_DPI_CHILD";

TEST(BarAtDpi, FollowsTheRuleAndStaysUsableAt96To192) {
    RunAtEachDpi({96, 120, 144, 192}, L"BarAtOneDpi.*", kChildVariable);
}

TEST(BarAtOneDpi, SizeTextsButtonsAndSeek) {
    const int dpi = ChildDpi(kChildVariable);
    if (!dpi) GTEST_SKIP() << "run by BarAtDpi with the DPI set";
    BeDpiAware();
    ASSERT_EQ(ScreenDpi(), dpi);
    ASSERT_EQ(DisplayMonitors().front().dpi, dpi);
    const auto S = [dpi](int design) { return ScaleToDpi(design, dpi); };

    BarHarness h{{.speed = 1, .play = true, .tracks = 6}};
    h.sim.Command(kCmdRepeat); // the repeat indicator shows "REP"
    h.Start();
    HWND bar = h.app.Bar().Handle();
    ASSERT_TRUE(bar);
    RECT r{};
    GetWindowRect(bar, &r);
    const int screen = GetSystemMetrics(SM_CXSCREEN);
    EXPECT_EQ(r.left, 450);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right - r.left, screen - 450 - S(75));
    EXPECT_EQ(r.bottom - r.top, S(26));
    if (dpi == 96 && screen == 1024) EXPECT_EQ(r.right - r.left, 499);

    // Every label's text as the bar draws it fits its bounds (the title is
    // cut at its end by design: its sample text must fit).
    const Scene& scene = h.bar.state.scene;
    Twin(h.bar.state.scene, "lblNbBoucle", S(1), -S(1)).SetText("8");
    ASSERT_TRUE(h.RunUntil([&] { return scene["lblRepeterB"].text == "REP"; }, 4000));
    EXPECT_LE(scene["lblRepeterB"].bounds.Right(), scene["shaBord2B"].bounds.left);
    EXPECT_LE(scene["lblInfoB"].bounds.Right(), scene["lblRepeterB"].bounds.left);
    for (const char* name : {"lblDureeB", "lblHazardB", "lblOptionB", "lblNbBoucleB", "lblCopierB",
                             "lblTitreB", "lblRepeterB"}) {
        const Element& e = scene[name];
        const std::string text = std::string(name) == "lblTitreB" ? "000. Titre" : e.text;
        const SIZE extent = TextExtent(e.font, text);
        EXPECT_LE(extent.cx, e.bounds.width) << name << " \"" << text << "\"";
        EXPECT_LE(extent.cy, e.bounds.height + S(1)) << name;
    }
    h.RunUntil([] { return false; }, 300);
    ShowWindow(bar, SW_SHOWNOACTIVATE);
    RedrawWindow(bar, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_TRUE(SaveWindowBmp(bar, "bar-" + std::to_string(dpi)));

    // Seeking: the middle of the progress zone, just below the bar's top.
    const int track = h.link.NumeroTitre();
    h.sim.SetLength(track, 200);
    ASSERT_TRUE(h.RunUntil([&] { return h.link.Duree() == 200; }, 2000));
    // A real click, the pointer moved there first: a new hover.
    const auto click = [&](int x, int y) {
        MouseAt(bar, 5, S(5));
        h.RunUntil([] { return false; }, 50);
        MouseAt(bar, x, y);
        h.RunUntil([] { return false; }, 100);
        ClickAt(bar, x, y);
    };
    const int L = scene["shaBord1B"].bounds.left, R = scene["shaBord2B"].bounds.left;
    const int top = scene["shaAvanceB"].bounds.top;
    h.sim.ClearLog();
    click((L + R) / 2, top - S(10)); // above the progress zone: nothing
    h.RunUntil([] { return false; }, 300);
    EXPECT_EQ(h.Logged(WM_USER, -1, kQuerySeek), 0);
    click((L + R) / 2, top + S(2));
    ASSERT_TRUE(h.RunUntil([&] { return h.Logged(WM_USER, -1, kQuerySeek) == 1; }, 3000));
    EXPECT_NEAR(LastSeekMs(h.sim), 102000, 2000); // half of 200 s, + 2 s

    // A real click on the middle of each button reaches the player ("back"
    // first: with no history yet it is the player's own previous).
    struct Press {
        const char* button;
        unsigned command;
    } presses[] = {{"imgRecule", kCmdPrevious},
                   {"imgPause", kCmdPause},
                   {"imgJoue", kCmdPlay},
                   {"imgAvance", kCmdNext},
                   {"imgStop", kCmdStop}};
    for (const Press& p : presses) {
        const Rect b = scene[p.button].bounds;
        const int x = b.left + b.width / 2, y = b.top + b.height / 2;
        click(x, y);
        EXPECT_TRUE(h.RunUntil([&] { return h.Logged(WM_COMMAND, p.command, 0) >= 1; }, 3000))
            << p.button << " at " << x << "," << y;
    }
    // The close button ends the program.
    const Rect ferme = scene["imgFerme"].bounds;
    click(ferme.left + ferme.width / 2, ferme.top + ferme.height / 2);
    EXPECT_TRUE(h.RunUntil([&] { return !IsWindow(bar); }, 3000));
}

// Windows tells the bar that its monitor's DPI changed (moved to another
// monitor, or the user's scale): the bar follows it there and back.
TEST(BarDpiChange, TheBarRescalesOnWmDpiChangedAndComesBackExactly) {
    BarHarness h{{.speed = 1, .play = true, .tracks = 6}};
    h.Start();
    HWND bar = h.app.Bar().Handle();
    ASSERT_TRUE(bar);
    const int screen = GetSystemMetrics(SM_CXSCREEN);
    const Scene& scene = h.bar.state.scene;
    const auto size = [&] {
        RECT r{};
        GetWindowRect(bar, &r);
        return Rect{r.left, r.top, r.right - r.left, r.bottom - r.top};
    };
    const Rect before = size();
    const Element ferme = scene["imgFerme"];
    const Font titleFont = scene["lblTitreB"].font;

    RECT suggested{450, 0, 450 + 2 * before.width, 2 * before.height};
    SendMessageW(bar, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(size(), (Rect{450, 0, screen - 450 - 150, 52}));
    EXPECT_EQ(scene["imgFerme"].bounds.width, 20);
    EXPECT_EQ(scene["lblTitreB"].font.height, 22);
    // The tick's changes keep the shadows two pixels away now.
    h.RunUntil([] { return false; }, 1200);
    EXPECT_EQ(scene["lblDureeN"].bounds, scene["lblDureeB"].bounds.Moved(2, -2));
    EXPECT_EQ(scene["shaAvanceN"].bounds.left, scene["shaAvanceB"].bounds.left + 2);

    suggested = {450, 0, 450 + before.width, before.height};
    SendMessageW(bar, WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(size(), before);
    EXPECT_EQ(scene["imgFerme"], ferme);
    EXPECT_EQ(scene["lblTitreB"].font, titleFont);
    h.RunUntil([] { return false; }, 1200);
    EXPECT_EQ(scene["lblDureeN"].bounds, scene["lblDureeB"].bounds.Moved(1, -1));
}

} // namespace
