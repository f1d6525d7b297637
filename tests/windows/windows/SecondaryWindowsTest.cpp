// The full-screen view and the about box in the program's own assembly beside
// the simulator, with real mouse and keys; the view's design at 96 to 192 DPI,
// each in a child run (Wine reads the DPI when a process starts).
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>

#include "../schedule/BarHarness.h"
#include "RunAtDpi.h"
#include "WindowInput.h"
#include "ModalDriver.h"
#include "WindowText.h"
#include "base/FailureLogWin32.h"
#include "options/FOptionWin32.h"
#include "ui/GdiWin32.h"
#include "ui/ScenePainterWin32.h"
#include "ui/Layout.h"
#include "ui/WindowTextWin32.h"
#include "windows/FAProposDeWin32.h"
#include "windows/FPleinEcranWin32.h"
#include "windows/PleinEcranScene.h"

using namespace pilotune;
using namespace pilotune::testing;

namespace {

constexpr char kChildVariable[] = "PILOTUNE_VIEW_DPI_CHILD";
// A child run is DPI aware from its start, as the program's manifest declares.
[[maybe_unused]] const bool kDpiAware = ChildDpi(kChildVariable) && (BeDpiAware(), true);

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
    bool Open() { return h.app.PleinEcran() != nullptr; }
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

TEST_F(PleinEcranOnSimulator, OpensBelowTheBarClosedByASecondPleinEcranByKeysAndClicksNotByJ) {
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
    view = OpenView();
    ASSERT_TRUE(view);

    // J opens the player's title search and leaves the view; Escape, the close
    // picture and a double click on the time close the view and only it.
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

// A real right click opens the bar's menus on the bar and on the view alike:
// the loop menu over the loop picture, the played tracks over "forward", the
// main menu elsewhere.
TEST_F(PleinEcranOnSimulator, ARightClickOpensTheBarsMenusOnTheBarAndOnTheView) {
    HWND view = OpenView();
    ASSERT_TRUE(view);
    // The first caption of the menu that a right click in the middle of `r` opens.
    const auto firstItem = [&](HWND window, const Rect& r) {
        std::atomic<bool> read = false;
        wchar_t first[128] = {};
        ModalDriver reader(L"#32768", [&](HWND menu) {
            GetMenuStringW(reinterpret_cast<HMENU>(SendMessageW(menu, MN_GETHMENU, 0, 0)), 0, first,
                           128, MF_BYPOSITION);
            read = true;
            PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
        });
        ClickAt(window, r.left + r.width / 2, r.top + r.height / 2, true);
        h.RunUntil([&] { return read.load(); }, 3000);
        return Narrow(first);
    };
    const std::string track = std::to_string(h.link.NumeroTitre()) + ". ";
    EXPECT_EQ(firstItem(h.app.Bar().Handle(), h.bar.state.scene["imgSens"].bounds), "Extrait");
    EXPECT_EQ(firstItem(view, View()["imgSens"].bounds), "Extrait");
    EXPECT_TRUE(firstItem(view, View()["imgAvance"].bounds).starts_with(track));
    EXPECT_EQ(firstItem(view, {500, 300, 1, 1}), "Reculer");
}

// The tick brings title, time and progress; the copy labels follow AfficheBT.
// Told its monitor's DPI changed, the view keeps covering the monitor and
// draws its design at the new scale.
TEST_F(PleinEcranOnSimulator, TheTickBringsTitleTimeProgressTheViewFollowsAfficheBTAndTheDpi) {
    h.sim.SetLength(h.link.NumeroTitre(), 120);
    h.option.AfficheBT = false;
    HWND view = OpenView();
    ASSERT_TRUE(view);
    EXPECT_FALSE(View()["lblCopierB"].visible);
    EXPECT_FALSE(View()["lblCopierN"].visible);
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

    h.option.AfficheBT = true;
    h.app.ApplySettings();
    EXPECT_TRUE(View()["lblCopierB"].visible);
    EXPECT_TRUE(View()["lblCopierN"].visible);

    const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    RECT suggested{0, 0, sw * 3 / 2, sh * 3 / 2};
    SendMessageW(view, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    RECT r{};
    GetWindowRect(view, &r);
    EXPECT_EQ(r.right - r.left, sw);
    EXPECT_EQ(r.bottom - r.top, sh);
    const int dpi = ViewDpi(sw, sh, 144);
    EXPECT_GT(dpi, 96);
    EXPECT_EQ(View()["imgJoue"].bounds.width, ScaleToDpi(34, dpi));
    EXPECT_EQ(View()["lblDureeB"].font.height, ScaleToDpi(80, dpi));
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

// Options asked for over the view open above it, with the keyboard: Escape
// closes them and leaves the view. The view follows the modes whoever
// changes them (a shortcut, the schedule: the dispatcher), and the loop
// count as it goes down at a change of track.
TEST_F(PleinEcranOnSimulator, OptionsOpenAboveItAndItFollowsTheModesChangedElsewhere) {
    ASSERT_TRUE(OpenView());
    h.bar.dispatcher.ExecuterAction(AFFICHEOPTION, false);
    HWND dialog = FindWindowW(kOptionClass, nullptr);
    ASSERT_TRUE(dialog);
    RECT r{};
    GetWindowRect(dialog, &r);
    const HWND seen = WindowFromPoint({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    EXPECT_TRUE(seen == dialog || IsChild(dialog, seen));
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(h.RunUntil([&] { return !FindWindowW(kOptionClass, nullptr); }, 2000));
    EXPECT_TRUE(Open());

    h.option.NbBoucle = 3;
    h.bar.dispatcher.ExecuterAction(BOUCLE, false);
    EXPECT_EQ(View()["lblNbBoucleB"].text, "3");
    EXPECT_EQ(View()["imgSens"].picture, h.bar.state.scene["imgSens"].picture);
    h.link.Suivant(); // the loop plays its track again, one time less
    ASSERT_TRUE(h.RunUntil([&] { return h.bar.state.scene["lblNbBoucleB"].text == "2"; }, 4000));
    EXPECT_EQ(View()["lblNbBoucleB"].text, "2");
}

TEST(PleinEcranAtDpi, ScalesItsDesignAt96To192) {
    RunAtEachDpi({96, 120, 144, 192}, L"PleinEcranOnSimulator.AtTheChildsDpi*", kChildVariable);
}

// Pictures and letters scaled, the labels' texts whole, a click in the middle
// of the track seeks to about half and one above it does nothing.
TEST_F(PleinEcranOnSimulator, AtTheChildsDpiPicturesLettersTextsAndSeek) {
    const int dpi = ChildDpi(kChildVariable);
    if (!dpi) GTEST_SKIP() << "run by PleinEcranAtDpi with the DPI set";
    ASSERT_EQ(ScreenDpi(), dpi);
    // The design scales with the DPI as far as it fits the screen.
    const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    const auto S = [&](int design) { return ScaleToDpi(design, ViewDpi(sw, sh, dpi)); };
    h.sim.SetLength(h.link.NumeroTitre(), 200);
    h.sim.Command(kCmdRepeat);
    ASSERT_TRUE(h.RunUntil([&] { return h.link.Duree() == 200; }, 2000));
    HWND window = OpenView();
    ASSERT_TRUE(window);
    const Scene& scene = View();
    // Time, title, progress, and the repeat state the player was asked.
    h.RunUntil([&] { return scene["lblRepeterB"].text == "REP"; }, 4000);

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
    EXPECT_TRUE(before("lblCopierB", "lblRepeterB"));
    EXPECT_EQ(scene["lblRepeterB"].text, "REP");
    EXPECT_LE(scene["imgJoue"].bounds.Bottom(), scene["lblTitreB"].bounds.top);
    for (const char* name : {"lblHazardB", "lblOptionB", "lblCopierB", "lblRepeterB"}) {
        const Element& e = scene[name];
        const SIZE extent = TextExtent(e.font, e.text);
        EXPECT_LE(extent.cx, e.bounds.width) << name << " \"" << e.text << "\"";
        EXPECT_LE(extent.cy, e.bounds.height + S(4)) << name;
    }
    {
        // A title too long for its lines at this size is painted smaller, whole.
        ScenePainter painter(nullptr);
        HDC dc = GetDC(window);
        const Element& title = scene["lblTitreB"];
        const Font fitted = painter.FittedFont(dc, title);
        ReleaseDC(window, dc);
        const SIZE need =
            MeasureText(painter.FontFor(fitted), title.text, title.bounds.width, true);
        EXPECT_LE(need.cy, title.bounds.height) << title.text << " at " << fitted.height;
    }
    EXPECT_TRUE(SaveWindowBmp(window, "fullscreen-" + std::to_string(dpi)));

    const Rect bar = scene["shaAvanceB"].bounds;
    const int l = scene["shaBord1B"].bounds.left, r = scene["shaBord2B"].bounds.left;
    h.sim.ClearLog();
    ClickAt(window, (l + r) / 2, bar.top - bar.height - S(2)); // above the track's zone
    h.RunUntil([] { return false; }, 300);
    EXPECT_EQ(h.Logged(WM_USER, -1, kQuerySeek), 0);
    ASSERT_TRUE(Open());
    ClickAt(window, (l + r) / 2, bar.top + S(2));
    ASSERT_TRUE(h.RunUntil([&] { return h.Logged(WM_USER, -1, kQuerySeek) == 1; }, 3000));
    EXPECT_NEAR(LastSeekMs(h.sim), 102000, 2000); // half of 200 s, + 2 s
}

std::filesystem::path Readme() {
    return std::filesystem::path(Widen(ExecutablePath())).parent_path() / "Pilotune.txt";
}

struct AProposDeOnSimulator : PleinEcranOnSimulator {
    void TearDown() override {
        PleinEcranOnSimulator::TearDown();
        if (h.app.AProposDe()) DestroyWindow(h.app.AProposDe()->Handle());
        std::error_code ignored;
        std::filesystem::remove(Readme(), ignored);
    }
    HWND OpenAbout() {
        h.bar.dispatcher.ExecuterAction(APROPOSDE, false);
        h.RunUntil([] { return false; }, 150);
        return FindWindowW(kAProposDeClass, kAProposDeCaption);
    }
};

// Without the read-me file, over the full-screen view: above it, the frame
// empty. With it: the file version, one box however often it is asked for,
// closed by the usual keys, its text rising and paused by a click.
TEST_F(AProposDeOnSimulator, AboveTheViewOneBoxClosedByItsKeysItsTextRisesAndPauses) {
    h.bar.dispatcher.ExecuterAction(PLEINECRAN, false);
    ASSERT_TRUE(h.app.PleinEcran());
    HWND box = OpenAbout();
    ASSERT_TRUE(box);
    RECT r{};
    GetWindowRect(box, &r);
    const HWND seen = WindowFromPoint({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    EXPECT_TRUE(seen == box || IsChild(box, seen));
    EXPECT_EQ(h.app.AProposDe()->Frame().Scroll().height, 0);
    SendMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    h.bar.dispatcher.ExecuterAction(PLEINECRAN, false);
    ASSERT_TRUE(h.RunUntil([&] { return !h.app.AProposDe() && !h.app.PleinEcran(); }, 2000));

    {
        std::ofstream readme(Readme(), std::ios::binary);
        readme << "Pilotune\r\n\xC9t\xE9\r\n";
        for (int i = 0; i < 40; ++i)
            readme << "Ligne " << i << " du fichier lisez-moi\r\n";
    }
    box = OpenAbout();
    ASSERT_TRUE(box);
    EXPECT_EQ(WindowText(GetDlgItem(box, kAProposVersionId)), "Version : 1.0.0.0");
    EXPECT_EQ(WindowText(GetDlgItem(box, kAProposAvertissementId)), kAvertissement);
    EXPECT_EQ(WindowText(GetDlgItem(box, kAProposLogId)), LogPlaceText(FailureLogPath()));
    EXPECT_GT(h.app.AProposDe()->Frame().Scroll().height, 0);
    EXPECT_TRUE(SaveWindowBmp(box, "about"));

    // A second APROPOSDE brings the same box to the front.
    SetForegroundWindow(h.app.Bar().Handle());
    EXPECT_EQ(OpenAbout(), box);
    EXPECT_EQ(CountWindowsTitled(kAProposDeCaption), 1);
    EXPECT_EQ(GetForegroundWindow(), box);

    // Escape, Enter and OK close it, as in any dialog; the next APROPOSDE
    // makes a new one.
    for (const WORD key : {WORD(VK_ESCAPE), WORD(VK_RETURN), WORD(0)}) {
        if (key)
            PressKey(key);
        else
            SendMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
        EXPECT_TRUE(h.RunUntil([&] { return !h.app.AProposDe(); }, 2000)) << key;
        EXPECT_EQ(CountWindowsTitled(kAProposDeCaption), 0);
        box = OpenAbout();
        ASSERT_TRUE(box);
    }

    // A click on the text pauses its rise, a second one resumes it.
    const DescriptionFrame& frame = h.app.AProposDe()->Frame();
    const int start = frame.Scroll().top;
    ASSERT_TRUE(h.RunUntil([&] { return frame.Scroll().top < start - 3; }, 2000));
    const Rect text = frame.TextBounds();
    const int x = text.left + 20;
    const int y = std::min(text.top + 10, frame.Scroll().frameHeight - 10);
    ClickAt(frame.Handle(), x, y);
    ASSERT_TRUE(h.RunUntil([&] { return !frame.Scroll().running; }, 1000));
    const int paused = frame.Scroll().top;
    h.RunUntil([] { return false; }, 300);
    EXPECT_EQ(frame.Scroll().top, paused);

    ClickAt(frame.Handle(), x, y); // the text has not moved: the same place
    ASSERT_TRUE(h.RunUntil([&] { return frame.Scroll().running; }, 1000));
    EXPECT_TRUE(h.RunUntil([&] { return frame.Scroll().top < paused - 3; }, 2000));
}

} // namespace
