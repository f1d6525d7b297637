// The about box opened by APROPOSDE in the program's own assembly.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "../schedule/BarHarness.h"
#include "WindowInput.h"
#include "WindowText.h"
#include "ui/WindowTextWin32.h"
#include "windows/FAProposDeWin32.h"

using namespace pilotune;
using namespace pilotune::testing;

namespace {

std::filesystem::path Readme() {
    return std::filesystem::path(Widen(ExecutablePath())).parent_path() / "Pilotune.txt";
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
    static std::string ChildText(HWND box, int id) { return WindowText(GetDlgItem(box, id)); }
    static int AboutBoxes() { return CountWindowsTitled(kAProposDeCaption); }
};

TEST_F(AProposDeOnSimulator, OpensWithTheFileVersionAndASecondOneKeepsOneBox) {
    std::ofstream(Readme(), std::ios::binary) << "Pilotune\r\nUne ligne\r\n\xC9t\xE9\r\n";
    HWND box = Open();
    ASSERT_TRUE(box);
    EXPECT_EQ(ChildText(box, kAProposVersionId), "Version : 1.0.0.0");
    EXPECT_EQ(ChildText(box, kAProposAvertissementId), kAvertissement);
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
            PressKey(key);
        else
            SendMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
        EXPECT_TRUE(h.RunUntil([&] { return !h.app.AProposDe(); }, 2000)) << key;
        EXPECT_EQ(AboutBoxes(), 0);
        box = Open();
        ASSERT_TRUE(box);
    }
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

// Without the read-me file the frame stays empty.
TEST_F(AProposDeOnSimulator, OpenedOverTheFullScreenViewWithoutTheReadMeItShowsAboveIt) {
    std::error_code ignored;
    std::filesystem::remove(Readme(), ignored);
    h.bar.dispatcher.ExecuterAction(PLEINECRAN, false);
    ASSERT_TRUE(h.app.PleinEcran());
    HWND box = Open();
    ASSERT_TRUE(box);
    RECT r{};
    GetWindowRect(box, &r);
    const HWND seen = WindowFromPoint({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    EXPECT_TRUE(seen == box || IsChild(box, seen));
    EXPECT_EQ(h.app.AProposDe()->Frame().Scroll().height, 0);
    h.app.PleinEcran()->Close();
}

} // namespace
