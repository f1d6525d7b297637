// The options dialog at 144 DPI: every text whole and a screenshot of each
// page. Wine reads the DPI (HKCU\Control Panel\Desktop, LogPixels) when a
// process starts: the test sets it, runs itself again for the dialog, and
// puts the value back.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "DialogDriving.h"
#include "Waiting.h"
#include "RunAtDpi.h"
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

namespace {

constexpr char kChildVariable[] = "PILOTUNE_OPTIONS_DPI_CHILD";

DWORD RunChild(int dpi) {
    return RunSelfAtDpi(dpi, L"OptionsAtOneDpi.*", kChildVariable);
}

} // namespace

TEST(OptionsAtDpi, EveryPageWholeAt144) {
    DWORD code = 0;
    {
        LogPixels setting(144);
        code = RunChild(144);
    }
    EXPECT_EQ(code, 0u) << "see the child's output above";
}

TEST(OptionsAtOneDpi, Pages) {
    const char* wanted = std::getenv(kChildVariable);
    if (!wanted) GTEST_SKIP() << "run by OptionsAtDpi with the DPI set";
    SetProcessDPIAware();
    const int dpi = std::atoi(wanted);
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
