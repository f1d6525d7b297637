// The options dialog at 144 DPI, in a child run (Wine reads the DPI when a
// process starts): every text whole and a screenshot of each page.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "DialogDriving.h"
#include "Waiting.h"
#include "AtEachDpi.h"
#include "base/EncodingWin32.h"
#include "base/PathsWin32.h"
#include "options/FOptionWin32.h"
#include "schedule/Planification.h"
#include "schedule/ScheduleClockWin32.h"
#include "settings/Option.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsWin32.h"
#include "ui/Layout.h"
#include "ui/WindowWin32.h"

using namespace pilotune;
using namespace pilotune::testing;

constexpr char kChildVariable[] = "PILOTUNE_OPTIONS_DPI_CHILD";

TEST(OptionsAtDpi, EveryPageWholeAt144) {
    RunAtEachDpi({144}, L"OptionsAtOneDpi.*", kChildVariable);
}

TEST(OptionsAtOneDpi, Pages) {
    const int dpi = ChildDpi(kChildVariable);
    if (!dpi) GTEST_SKIP() << "run by OptionsAtDpi with the DPI set";
    SetProcessDPIAware();
    ASSERT_EQ(ScreenDpi(), dpi);
    const std::filesystem::path ini =
        std::filesystem::path(Widen(ExecutablePath())).parent_path() / "dpi.ini";
    std::filesystem::remove(ini);
    SettingsStore store;
    store.Open(Narrow(ini.wstring()), ProgramEnvironment());
    COption option;
    LocalScheduleClock clock;
    CPlanification plan(store, clock);
    TfrmOption form(store, option, plan, {});
    ASSERT_TRUE(form.Open(nullptr));
    // At 144 DPI the dialog is wider than the test screen (1024 pixels): it
    // is shown at its minimum size, which fits, and the anchors follow.
    SetWindowPos(form.Handle(), nullptr, 0, 0, ScaleToDpi(650, dpi), ScaleToDpi(500, dpi),
                 SWP_NOZORDER);
    const char* names[] = {"divers", "programme", "clavier", "copie", "planification"};
    for (int page = 0; page < kOptionPageCount; ++page) {
        form.SelectPage(page);
        MakeForeground(form.Handle());
        RedrawWindow(form.Handle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        Pump(300); // the window shown on the X server before it is read back
        EXPECT_EQ(ClippedTexts(form.Handle()), "") << names[page];
        EXPECT_TRUE(
            SaveScreenshot(form.Handle(), ScreenshotPath(std::string("options-") + names[page] +
                                                         "-" + std::to_string(dpi) + ".bmp")));
    }
    RECT client{};
    GetClientRect(form.Handle(), &client);
    EXPECT_GE(client.right, ScaleToDpi(600, dpi));
    form.Close(IDCANCEL);
}
