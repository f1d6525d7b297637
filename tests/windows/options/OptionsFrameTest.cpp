// The options dialog in the real program: opening, pages, the bottom buttons,
// the general page and the keyboard, read back from the controls and the file.
// A second run at 144 DPI (Wine reads the DPI when a process starts) shows
// every page and opens the keyboard list's menu.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>
#include <vector>

#include "RunAtDpi.h"
#include "OptionsHarness.h"
#include "base/HandleWin32.h"
#include "base/MessagesWin32.h"
#include "player/Winamp.h"
#include "ui/Layout.h"

namespace pilotune::testing {
namespace {

constexpr char kDpiVariable[] = "PILOTUNE_OPTIONS_DPI_CHILD";
// The run at another DPI is DPI aware from its start, as the program's manifest declares.
[[maybe_unused]] const bool kDpiAware = ChildDpi(kDpiVariable) && SetProcessDPIAware();

TEST(OptionsAtDpi, TheListMenuAndEveryPageAt144) {
    RunAtEachDpi({144},
                 L"OptionsFrameTest.Opens*:ListGesturesTest.ARightClick*:OptionsFrameTest."
                 L"EveryPage*:ProgrammePageTest.Keeps*",
                 kDpiVariable);
}

struct OptionsFrameTest : ::testing::Test {
    OptionsHarness h;
};

// The controls of the shown page and of the frame that the screen shows
// hidden, or without a pixel of their own over their container's background.
std::string Unpainted(HWND dialog) {
    RECT d{}, r{}, screenRect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    GetWindowRect(dialog, &r);
    IntersectRect(&d, &r, &screenRect); // what the screen shows of it
    const int w = d.right - d.left, ht = d.bottom - d.top;
    std::vector<DWORD> px(static_cast<size_t>(w) * static_cast<size_t>(ht));
    HDC screen = GetDC(nullptr), dc = CreateCompatibleDC(screen);
    HBITMAP shot = CreateCompatibleBitmap(screen, w, ht);
    HGDIOBJ old = SelectObject(dc, shot);
    BitBlt(dc, 0, 0, w, ht, screen, d.left, d.top, SRCCOPY);
    SelectObject(dc, old);
    BITMAPINFO bi{{sizeof(BITMAPINFOHEADER), w, -ht, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    GetDIBits(dc, shot, 0, static_cast<UINT>(ht), px.data(), &bi, DIB_RGB_COLORS);
    std::vector<HWND> all;
    EnumChildWindows(
        dialog,
        [](HWND c, LPARAM v) {
            return reinterpret_cast<std::vector<HWND>*>(v)->push_back(c), TRUE;
        },
        reinterpret_cast<LPARAM>(&all));
    const auto shows = [&](const RECT& in, COLORREF c, bool other) {
        const DWORD colour = GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c);
        for (LONG y = std::max(in.top, d.top); y < std::min(in.bottom, d.bottom); ++y)
            for (LONG x = std::max(in.left, d.left); x < std::min(in.right, d.right); ++x)
                if (((px[static_cast<size_t>((y - d.top) * w + x - d.left)] & 0xFFFFFF) !=
                     colour) == other)
                    return true;
        return false;
    };
    // Not on the screen yet (black): nothing shows the dialog's face.
    std::string bad = shows(d, GetSysColor(COLOR_BTNFACE), false) ? "" : "the dialog ";
    for (HWND c : all) {
        wchar_t cls[64] = {};
        GetClassNameW(c, cls, 64);
        if (!IsWindowVisible(GetParent(c)) || lstrcmpW(cls, L"PilotunePanel") == 0) continue;
        SendMessageW(GetParent(c), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(c));
        GetWindowRect(c, &r);
        if (!IsWindowVisible(c) || !shows(r, GetBkColor(dc), true))
            bad += Narrow(cls) + " \"" + WindowText(c) + "\" ";
    }
    ReleaseDC(nullptr, screen);
    DeleteDC(dc);
    DeleteObject(shot);
    return bad;
}

TEST_F(OptionsFrameTest, OpensOnTheLastPageShownElseOnTheGeneralPage) {
    h.store.WriteInteger(kSectionOption, "NbOuvert", 0, true);
    h.store.WriteInteger(kSectionOption, "Dernière", 9, true);
    h.Start(); // the first start opens the dialog by itself
    ASSERT_TRUE(h.Loop([&] { return h.Form() != nullptr; }));
    EXPECT_EQ(h.store.ReadInteger(kSectionOption, "NbOuvert", 0, true), 1);
    HWND first = h.Form();
    ASSERT_TRUE(h.OpenOn());
    EXPECT_EQ(h.Form(), first); // a second AFFICHEOPTION keeps the same window
    // A window put above the dialog goes below it again when the bar is clicked.
    const auto below = [](HWND upper, HWND lower) {
        for (HWND w = upper; w; w = GetWindow(w, GW_HWNDNEXT))
            if (w == lower) return true;
        return false;
    };
    const HWND cover =
        MakeWindow(L"PilotuneCover", DefWindowProcW, WS_POPUP | WS_VISIBLE, {0, 300, 60, 360}, L"");
    SetWindowPos(cover, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ASSERT_TRUE(below(cover, first));
    SetForegroundWindow(h.app.Bar().Handle());
    EXPECT_TRUE(h.Loop([&] { return below(first, cover); }));
    DestroyWindow(cover);
    for (int stored : {9, -1, 6}) {
        h.store.WriteInteger(kSectionOption, "Dernière", stored, true);
        if (stored != 9) ASSERT_TRUE(h.OpenOn());
        EXPECT_EQ(h.Caption(), "Option  -  Divers") << stored;
        EXPECT_TRUE(IsWindowVisible(h.Item(kBoucle))) << stored;
        // Shown as soon as opened, with every control of the page drawn.
        std::string unpainted;
        h.Loop([&] { return (unpainted = Unpainted(h.Form())).empty(); }, 2000);
        EXPECT_EQ(unpainted, "") << stored;
        EXPECT_FALSE(h.Enabled(kAppliquer));
        h.Click(IDCANCEL);
        ASSERT_TRUE(h.Closed());
    }
    ASSERT_TRUE(h.OpenOn(kPageCopie));
    EXPECT_EQ(h.Caption(), "Option  -  Copie music");
    EXPECT_EQ(h.store.ReadInteger(kSectionOption, "Dernière", -1, true), 3);
    h.Click(IDCANCEL);
    ASSERT_TRUE(h.Closed());
    ASSERT_TRUE(h.OpenOn());
    EXPECT_EQ(h.Caption(), "Option  -  Copie music");
    EXPECT_FALSE(h.Enabled(kAppliquer));
}

TEST_F(OptionsFrameTest, AppliquerAnnulerOkAndDefautOnTheGeneralPageAndEveryField) {
    h.Start();
    ASSERT_TRUE(h.OpenOn());
    ASSERT_FALSE(h.Checked(kCacheWA));
    h.Click(kCacheWA);
    EXPECT_TRUE(h.Enabled(kAppliquer));
    SendMessageW(h.Item(kTransparent), WM_KEYDOWN, VK_DOWN, 1);
    h.Click(kAppliquer);
    EXPECT_FALSE(h.Enabled(kAppliquer));
    EXPECT_TRUE(h.option.CacheWA);
    EXPECT_EQ(h.option.Transparent, 99);
    EXPECT_TRUE(h.store.ReadBoolean(kSectionOption, "CacheWA", false, true));
    EXPECT_EQ(h.FileText().find("CacheWA=1"), std::string::npos); // not flushed yet
    h.Click(IDCANCEL);
    ASSERT_TRUE(h.Closed());
    EXPECT_TRUE(h.option.CacheWA);
    EXPECT_EQ(h.option.Transparent, 99);
    ASSERT_TRUE(h.OpenOn(kPageClavier));
    EXPECT_TRUE(h.Checked(kCacheWA));
    EXPECT_EQ(h.Text(kTransparent), "099 %");

    // Ok with nothing changed applies nothing: it writes the file and closes.
    h.option.CacheWA = false; // a value the dialog would overwrite on apply
    h.Click(IDOK);
    ASSERT_TRUE(h.Closed());
    EXPECT_FALSE(h.option.CacheWA);
    EXPECT_NE(h.FileText().find("Dernière=2"), std::string::npos);
    // The placement goes to the store as the window closes, after the flush.
    EXPECT_GT(h.store.ReadInteger("FenOption", "Width", 0, true), 0);

    // The general page shows and applies every field; Défaut resets it.
    h.option.NbBoucle = 3;
    h.option.NbExtrait = 25;
    h.option.Transparent = 40;
    h.option.LoopOn = true;
    h.option.FermerWA = true;
    h.option.AffichageNeg = true;
    h.option.MAJ = false;
    ASSERT_TRUE(h.OpenOn(kPageDivers));
    EXPECT_EQ(h.Text(kBoucleNb), "3 fois");
    EXPECT_EQ(h.Text(kExtraitNb), "25 s");
    EXPECT_EQ(h.Text(kTransparent), "040 %");
    for (const Find& f : {kBoucle, kFermerWA, kAffichageNeg})
        EXPECT_TRUE(h.Checked(f)) << f.text;
    for (const Find& f : {kExtrait, kMAJ, kSystray, kCacheAuto, kDemarreWindows})
        EXPECT_FALSE(h.Checked(f)) << f.text;
    // The excerpt group is off: its label and spin edit are greyed, its box is not.
    EXPECT_TRUE(h.Enabled(kBoucleNb));
    EXPECT_FALSE(h.Enabled(kExtraitNb));
    EXPECT_FALSE(h.Enabled(kExtraitLabel));
    EXPECT_TRUE(h.Enabled(kExtrait));
    h.Click(kBoucle); // the loop group off
    EXPECT_FALSE(h.Enabled(kBoucleNb));
    EXPECT_FALSE(h.Enabled(kBoucleLabel));
    EXPECT_TRUE(h.Enabled(kBoucle));
    EXPECT_TRUE(h.Enabled(kAppliquer));
    h.Click(kAffichageNeg);
    h.Click(IDOK);
    ASSERT_TRUE(h.Closed());
    EXPECT_FALSE(h.option.LoopOn);
    EXPECT_FALSE(h.option.AffichageNeg);
    for (const char* line : {"NbBoucle=3", "NbExtrait=25", "Transparent=40", "AffichageNeg=0"})
        EXPECT_NE(h.FileText().find(line), std::string::npos) << line;

    // Défaut resets the page and applies nothing before Ok or Appliquer.
    h.option.CacheWA = true;
    h.option.ExcerptOn = true;
    ASSERT_TRUE(h.OpenOn(kPageDivers));
    h.Click(kDefaut);
    EXPECT_EQ(h.Text(kBoucleNb), "9 fois");
    EXPECT_EQ(h.Text(kExtraitNb), "10 s");
    EXPECT_EQ(h.Text(kTransparent), "100 %");
    EXPECT_FALSE(h.Checked(kCacheWA));
    EXPECT_TRUE(h.Checked(kMAJ));
    EXPECT_FALSE(h.Checked(kExtrait));
    EXPECT_FALSE(h.Enabled(kExtraitNb));
    EXPECT_TRUE(h.Enabled(kAppliquer));
    EXPECT_TRUE(h.option.CacheWA);
}

TEST_F(OptionsFrameTest, KeyboardTabReachesEveryControlEnterIsOkEscapeIsAnnuler) {
    h.Start();
    ASSERT_TRUE(h.OpenOn());
    ASSERT_TRUE(MakeForeground(h.Form()));
    h.Click(kBoucle); // both groups on: their spin edits take the focus too
    h.Click(kExtrait);
    // Tab walks through every control of the general page.
    std::set<HWND> seen;
    for (int k = 0; k < 40; ++k) {
        PressKey(VK_TAB);
        h.Settle(30);
        seen.insert(GetFocus());
    }
    for (const Find& f :
         {kBoucle, kBoucleNb, kExtrait, kExtraitNb, kDemarreWindows, kTransparent, kCacheAuto,
          kCacheWA, kFermerWA, kSystray, kMAJ, kAffichageNeg, kDefaut, kAide})
        EXPECT_TRUE(seen.count(h.Item(f))) << f.text << f.n;
    for (int id : {IDOK, IDCANCEL})
        EXPECT_TRUE(seen.count(DescendantWithId(h.Form(), id))) << id;
    // Enter on a check box is Ok: the change is applied and the dialog closes.
    SetFocus(h.Item(kCacheWA));
    SendMessageW(h.Item(kCacheWA), BM_CLICK, 0, 0);
    PressKey(VK_RETURN);
    ASSERT_TRUE(h.Closed());
    EXPECT_TRUE(h.option.CacheWA);
    ASSERT_TRUE(h.OpenOn());
    ASSERT_TRUE(MakeForeground(h.Form()));
    h.Click(kSystray);
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(h.Closed());
    EXPECT_FALSE(h.option.Systray);

    // Left maximised, it opens maximised, without a maximise box, with the
    // focus on a control and its keys working.
    h.store.WriteInteger("FenOption", "WindowState", 2, true);
    ASSERT_TRUE(h.OpenOn());
    EXPECT_TRUE(IsZoomed(h.Form()));
    EXPECT_FALSE(GetWindowLongW(h.Form(), GWL_STYLE) & WS_MAXIMIZEBOX);
    ASSERT_TRUE(MakeForeground(h.Form()));
    const int first = FocusedId(h.Form());
    PressKey(VK_TAB);
    EXPECT_TRUE(h.Loop([&] { return FocusedId(h.Form()) != first; }, 2000));
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(h.Closed());
}

// The copy page shown last and the playlist unreadable: its message box opens
// while the dialog is being built. "Option..." asked meanwhile (a shortcut)
// neither frees nor doubles the dialog: once the box is closed, one shows.
TEST_F(OptionsFrameTest, OptionAskedWhileItIsBeingBuiltWaitsForIt) {
    h.store.WriteInteger(kSectionOption, "Dernière", kPageCopie, true);
    const std::wstring sim = SimulatorExe();
    const KernelHandle locked{CreateFileW((sim.substr(0, sim.size() - 3) + L"m3u").c_str(),
                                          GENERIC_READ, 0, nullptr, OPEN_ALWAYS, 0, nullptr)};
    ASSERT_TRUE(locked);
    h.Start();
    h.option.ClavierActiver = true;
    h.option.Bindings = {{true, AFFICHEOPTION, "Touche F9", ""}, {true, STOPPER, "Touche F8", ""}};
    h.app.ApplySettings();
    h.sim.ClearLog();
    InstallMessageBoxes();
    int boxes = 0;
    HWND building = nullptr;
    ModalDriver user(L"#32770", [&](HWND box) {
        building = FindWindowW(kOptionClass, nullptr);
        PressKey(VK_F9);
        PressKey(VK_F8); // handled after F9: its stop tells that F9 ran
        WaitFor([&] { return h.Logged(WM_COMMAND, kCmdStop, 0) > 0; });
        for (HWND b = box; b; b = FindWindowW(L"#32770", nullptr)) {
            ++boxes;
            PostMessageW(b, WM_COMMAND, IDOK, 0);
            WaitFor([&] { return !IsWindow(b); });
        }
    });
    h.bar.dispatcher.ExecuterAction(AFFICHEOPTION, false);
    user.Join();
    SetMessages(nullptr);
    EXPECT_EQ(boxes, 1);
    ASSERT_TRUE(h.Loop([&] { return h.Form() && IsWindowVisible(h.Form()); }));
    EXPECT_EQ(h.Form(), building); // the same window, built to the end
    EXPECT_EQ(CountWindowsTitled(L"Option  -  Copie music"), 1);
}

// Every page's texts whole, and its screenshot. At 144 DPI the dialog is wider
// than the test screen (1024 pixels): it is shown at its minimum size, which fits.
TEST_F(OptionsFrameTest, EveryPageWholeAndTheMinimumSizeHolds) {
    const int dpi = ScreenDpi();
    if (ChildDpi(kDpiVariable)) ASSERT_EQ(dpi, ChildDpi(kDpiVariable));
    h.Start();
    ASSERT_TRUE(h.OpenOn());
    if (dpi != 96)
        SetWindowPos(h.Form(), nullptr, 0, 0, ScaleToDpi(650, dpi), ScaleToDpi(500, dpi),
                     SWP_NOZORDER);
    EXPECT_GE(ClientSize(h.Form()).cx, ScaleToDpi(600, dpi));
    for (int page = 0; page < h.PageCount(); ++page) {
        h.Click(h.PageButton(page));
        if (page == kPageClavier) h.Click(kClaActiver);
        if (page == kPagePlanification) {
            h.Click(kPlanActiver);
            h.Click(kPlanAjouter);
        }
        // The shot is named after the caption's first word: "options-copie-96".
        std::string name = WindowText(h.PageButton(page));
        name = name.substr(0, name.find(' '));
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        // At 96 DPI the programme and copy pages are shot by their own tests, with rows.
        if (dpi != 96 || (page != kPageProgramme && page != kPageCopie)) h.Shot(name);
    }
    SetWindowPos(h.Form(), nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
    RECT r{};
    GetWindowRect(h.Form(), &r);
    EXPECT_GE(r.right - r.left, 650);
    EXPECT_GE(r.bottom - r.top, 500);
}

} // namespace
} // namespace pilotune::testing
