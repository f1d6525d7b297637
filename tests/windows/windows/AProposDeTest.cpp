// The about box opened by APROPOSDE in the program's own assembly.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "../schedule/BarHarness.h"
#include "WindowInput.h"
#include "windows/FAProposDeWin32.h"

using namespace pilotune;
using namespace pilotune::testing;

namespace {

std::filesystem::path Readme() {
    return std::filesystem::path(Widen(ExecutablePath())).parent_path() / "Pilotune.txt";
}

int AboutBoxes() {
    int n = 0;
    EnumWindows(
        [](HWND w, LPARAM count) -> BOOL {
            wchar_t cls[64] = {};
            GetClassNameW(w, cls, 64);
            if (std::wstring(cls) == kAProposDeClass && IsWindowVisible(w))
                ++*reinterpret_cast<int*>(count);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&n));
    return n;
}

struct AProposDeOnSimulator : ::testing::Test {
    BarHarness h{{.speed = 1, .play = false, .tracks = 3}};

    void SetUp() override { h.Start(); }
    void TearDown() override {
        if (h.app.AProposDe()) DestroyWindow(h.app.AProposDe()->Handle());
        std::error_code ignored;
        std::filesystem::remove(Readme(), ignored);
    }
    HWND Open() {
        h.bar.dispatcher.ExecuterAction(APROPOSDE, false);
        h.RunUntil([] { return false; }, 150);
        return FindWindowW(kAProposDeClass, kAProposDeCaption);
    }
    std::string ChildText(HWND box, int id) {
        wchar_t text[256] = {};
        GetDlgItemTextW(box, id, text, 256);
        return Narrow(text);
    }
};

TEST_F(AProposDeOnSimulator, OpensWithTheFileVersionAndASecondOneKeepsOneBox) {
    std::ofstream(Readme(), std::ios::binary) << "Pilotune\r\nUne ligne\r\n\xC9t\xE9\r\n";
    HWND box = Open();
    ASSERT_TRUE(box);
    EXPECT_EQ(ChildText(box, kAProposVersionId), "Version : 1.0.0.0");
    EXPECT_EQ(ChildText(box, kAProposAvertissementId), kAvertissement);
    RECT client{};
    GetClientRect(box, &client);
    EXPECT_EQ(client.right, 505);
    EXPECT_EQ(client.bottom, 417);
    EXPECT_GT(h.app.AProposDe()->Frame().Scroll().height, 0);
    EXPECT_TRUE(SaveWindowBmp(box, "about"));

    // A second APROPOSDE brings the same box to the front.
    SetForegroundWindow(h.app.Bar().Handle());
    EXPECT_EQ(Open(), box);
    EXPECT_EQ(AboutBoxes(), 1);
    EXPECT_EQ(GetForegroundWindow(), box);

    // Escape, Enter and OK close it, as in any dialog; the next APROPOSDE
    // makes a new one.
    for (const WORD key : {WORD(VK_ESCAPE), WORD(VK_RETURN), WORD(0)}) {
        if (key)
            Type(key);
        else
            SendMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
        EXPECT_TRUE(h.RunUntil([&] { return !h.app.AProposDe(); }, 2000)) << key;
        EXPECT_EQ(AboutBoxes(), 0);
        box = Open();
        ASSERT_TRUE(box);
    }
}

TEST_F(AProposDeOnSimulator, WithoutTheReadMeTheFrameStaysEmpty) {
    std::error_code ignored;
    std::filesystem::remove(Readme(), ignored);
    HWND box = Open();
    ASSERT_TRUE(box);
    EXPECT_TRUE(IsWindowVisible(box));
    EXPECT_EQ(h.app.AProposDe()->Frame().Scroll().height, 0);
    EXPECT_EQ(ChildText(box, kAProposVersionId), "Version : 1.0.0.0");
}

TEST_F(AProposDeOnSimulator, AClickOnTheTextPausesTheScrollingAndASecondResumesIt) {
    {
        std::ofstream readme(Readme(), std::ios::binary);
        for (int i = 0; i < 40; ++i)
            readme << "Ligne " << i << " du fichier lisez-moi\r\n";
    }
    ASSERT_TRUE(Open());
    const DescriptionFrame& frame = h.app.AProposDe()->Frame();
    const int start = frame.Scroll().top;
    ASSERT_TRUE(h.RunUntil([&] { return frame.Scroll().top < start - 3; }, 2000)); // it rises
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

namespace {

TEST_F(AProposDeOnSimulator, OpenedOverTheFullScreenViewItShowsAboveIt) {
    h.bar.dispatcher.ExecuterAction(PLEINECRAN, false);
    ASSERT_TRUE(h.app.PleinEcran());
    HWND box = Open();
    ASSERT_TRUE(box);
    RECT r{};
    GetWindowRect(box, &r);
    const HWND seen = WindowFromPoint({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    EXPECT_TRUE(seen == box || IsChild(box, seen));
    h.app.PleinEcran()->Close();
}

} // namespace
