// The shutdown countdown in the program's own assembly beside the simulator,
// asked for as a user does: second starts (the messages a second instance
// sends), a shortcut held down (real key-downs repeated, as auto-repeat sends
// them), a planned entry (the dispatcher). Its request at zero is recorded,
// never made.
#include <gtest/gtest.h>

#include <atomic>
#include <vector>

#include "../schedule/BarHarness.h"
#include "DialogDriving.h"
#include "ModalDriver.h"
#include "RecordingMessages.h"
#include "app/SecondStart.h"
#include "system/FArreterWin32.h"

using namespace pilotune;
using namespace pilotune::testing;

namespace {

struct Requests final : ShutdownRequest {
    std::vector<unsigned> flags;
    std::atomic<int> count{0};
    void Request(unsigned f) override {
        flags.push_back(f);
        ++count;
    }
};

int Countdowns() {
    int n = 0;
    for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, kArreterClass, nullptr));)
        ++n;
    return n;
}

// Closes what is left, so that the program's loop comes back.
void CloseCountdowns() {
    WaitFor([] {
        HWND left = FindWindowW(kArreterClass, nullptr);
        if (left) PostMessageW(left, WM_CLOSE, 0, 0);
        return !left;
    });
}

// What a second start of the program with `action` on its command line sends.
void SecondStart(HWND bar, int action) {
    DWORD_PTR ignored;
    SendMessageTimeoutW(bar, kMsgSecondStartAction, static_cast<WPARAM>(action), 0, SMTO_NORMAL,
                        300, &ignored);
}

std::string Label(HWND w) {
    return TextOf(GetDlgItem(w, kArreterLabelId));
}

struct CountdownInTheProgram : ::testing::Test {
    BarHarness h{{.tracks = 4}};
    Requests requests;
    void SetUp() override {
        h.Start();
        h.app.DivertShutdown(requests, kCountdownTickMs);
    }
};

// A request a second after another (a planned entry, then a second start),
// then a restart shortcut held down: one window, turned into a restart, and
// one "Annuler" leaves nothing counting and nothing written.
TEST_F(CountdownInTheProgram, EveryRequestWhileItRunsComesToTheSameWindow) {
    h.option.ClavierActiver = true;
    h.option.Bindings = {{true, REDEMARRER, "Touche F9", ""}, {true, STOPPER, "Touche F8", ""}};
    h.app.ApplySettings();
    h.sim.ClearLog();
    const std::string file = h.FileText();
    int windows = -1, choice = -1;
    bool noneLeft = false;
    ModalDriver user(kArreterClass, [&](HWND w) {
        const std::string first = Label(w);
        WaitFor([&] { return Label(w) != first; });
        SecondStart(h.app.Bar().Handle(), ARRETER);
        for (int repeat = 0; repeat < 5; ++repeat)
            SendKey(VK_F9, false);
        SendKey(VK_F9, true);
        PressKey(VK_F8); // handled after every F9: its stop tells they all ran
        WaitFor([&] { return h.Logged(WM_COMMAND, kCmdStop, 0) > 0; });
        windows = Countdowns();
        choice = static_cast<int>(SendMessageW(GetDlgItem(w, kArreterChoixId), CB_GETCURSEL, 0, 0));
        Click(GetDlgItem(w, IDCANCEL));
        noneLeft = WaitFor([&] { return Countdowns() == 0; }, 1000);
        CloseCountdowns();
    });
    h.bar.dispatcher.ExecuterAction(ARRETER, false);
    user.Join();
    EXPECT_EQ(windows, 1);
    EXPECT_EQ(choice, 1);
    EXPECT_TRUE(noneLeft);
    EXPECT_EQ(requests.count, 0);
    EXPECT_EQ(h.FileText(), file);
}

// At zero a planned shutdown is requested at once, forced, though the
// settings file is read-only: the failure is said on the window, with no box
// to wait for. A restart asked then counts anew, the user unticks "Forcer",
// and this time the settings reach the file. An "Annuler" that comes as zero
// does (here while the settings are saved) wins over the request.
TEST_F(CountdownInTheProgram, AtZeroNothingHoldsTheRequestUpAndALateAnnulerWins) {
    RecordingMessages said;
    h.app.DivertShutdown(requests, 60);
    ASSERT_TRUE(SetFileAttributesW(h.ini.c_str(), FILE_ATTRIBUTE_READONLY));
    bool told = false, countedAgain = false;
    ModalDriver driver(kArreterClass, [&](HWND w) {
        told = WaitFor([&] { return Label(w) == kArreterNonEnregistre; });
        SetFileAttributesW(h.ini.c_str(), FILE_ATTRIBUTE_NORMAL);
        SecondStart(h.app.Bar().Handle(), REDEMARRER);
        Click(GetDlgItem(w, kArreterForcerId));
        countedAgain = WaitFor([&] { return requests.count > 1; });
        Click(GetDlgItem(w, IDCANCEL));
        CloseCountdowns();
    });
    h.bar.dispatcher.ExecuterAction(ARRETER, false);
    driver.Join();
    SetFileAttributesW(h.ini.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(said.errors, std::vector<std::string>{});
    EXPECT_TRUE(told);
    EXPECT_TRUE(countedAgain);
    EXPECT_EQ(requests.flags, (std::vector<unsigned>{8u + 4u, 2u}));
    EXPECT_NE(h.FileText().find("Transparent="), std::string::npos);

    TfrmArreter late(requests, [&] { return PostMessageW(late.Handle(), WM_CLOSE, 0, 0) != 0; });
    late.ShowModal(nullptr, {.total = 2, .tickMs = 50});
    EXPECT_EQ(requests.count, 2);
}

} // namespace
