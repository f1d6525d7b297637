// The keyboard of every dialog of the program, with real keys (SendInput from
// a second thread, after the dialog is in front): Tab and Shift+Tab walk its
// controls in order, Enter presses the default button, Escape cancels.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "DialogDriving.h"
#include "ModalDriver.h"
#include "programmes/FProgLireWin32.h"
#include "system/FArreterWin32.h"
#include "system/FMiseAJourWin32.h"
#include "ui/InputBoxWin32.h"

using namespace pilotune;
using namespace pilotune::testing;

namespace {

struct NoShutdown final : ShutdownRequest {
    int requests = 0;
    void Request(unsigned) override { ++requests; }
};

struct DialogCase {
    const char* name;
    const wchar_t* cls;
    std::vector<int> tabs;             // the focus at first, then after each Tab, back to the first
    std::function<std::string()> show; // shows the dialog; tells how it ended
    std::string afterEnter, afterEscape;
};

std::vector<DialogCase> Cases() {
    return {
        {"countdown",
         kArreterClass,
         {IDCANCEL, kArreterChoixId, kArreterForcerId, IDCANCEL},
         [] {
             NoShutdown shutdown;
             TfrmArreter window(shutdown, {});
             window.ShowModal(nullptr, {.total = 10, .tickMs = 60000});
             return shutdown.requests ? std::string("demandé") : "annulé";
         },
         "annulé",
         "annulé"},
        {"update",
         kMiseAJourClass,
         {IDOK, IDCANCEL, kMajDetailId, IDOK},
         [] {
             std::string opened = "fermé";
             UpdateResult result{UpdateOutcome::NewVersion,
                                 "Mise à jour de Pilotune V1.0.0.0",
                                 "Une nouvelle version est disponible, la 1.1.0.0.\r\nVoulez-vous "
                                 "la télécharger ?",
                                 "1.1.0.0",
                                 "http://exemple.fr/Pilotune.zip",
                                 "Nouveautés"};
             TfrmMiseAJour window(result, [&](const std::string& a) { opened = "ouvre " + a; });
             window.ShowModal(nullptr);
             return opened;
         },
         "ouvre http://exemple.fr/Pilotune.zip",
         "fermé"},
        {"choice",
         kProgLireClass,
         {kCbxProgTitreId, IDOK, IDCANCEL, kCbxProgTitreId},
         [] {
             TfrmProgLire dialog;
             const auto chosen = dialog.Choisir(nullptr, {"PlayList", "Soirée"});
             return chosen ? *chosen : "rien";
         },
         "PlayList",
         "rien"},
        {"input box",
         kInputBoxClass,
         {kInputBoxEditId, IDOK, IDCANCEL, kInputBoxEditId},
         [] {
             std::string text = "C:\\Winamp\\Winamp.exe";
             const bool ok = InputBox(nullptr, "Pilotune", "Où se trouve Winamp ?", text);
             return (ok ? "OK " : "Annuler ") + text;
         },
         "OK C:\\Winamp\\Winamp.exe",
         "Annuler C:\\Winamp\\Winamp.exe"},
    };
}

// Presses `key` and waits for the focus to settle on `id` (or the window to go).
int Press(HWND w, WORD key, bool shift, int expectId) {
    PressKey(key, shift);
    WaitFor([&] { return FocusedId(w) == expectId; }, 2000);
    return FocusedId(w);
}

// Shows the dialog while a second thread types `keys`; returns its ending and
// whether the keys closed it (else the close box did, to end the test).
std::string Session(const DialogCase& c, std::function<void(HWND)> keys, bool& closedByKeys) {
    closedByKeys = false;
    ModalDriver driver(c.cls, [&](HWND w) {
        if (!MakeForeground(w)) ADD_FAILURE() << c.name << ": not in front";
        keys(w);
        closedByKeys = WaitFor([&] { return !IsWindow(w); }, 3000);
        if (!closedByKeys) PostMessageW(w, WM_CLOSE, 0, 0);
    });
    const std::string ending = c.show();
    driver.Join();
    EXPECT_TRUE(driver.found) << c.name;
    return ending;
}

} // namespace

TEST(DialogKeys, TabWalksEveryDialogEnterPressesItsDefaultButtonEscapeCancels) {
    for (const DialogCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        // Tab round the controls, one Shift+Tab back, then Escape.
        std::vector<int> focus;
        bool closed = false;
        std::string ending = Session(
            c,
            [&](HWND w) {
                WaitFor([&] { return FocusedId(w) == c.tabs.front(); }, 2000);
                focus.push_back(FocusedId(w));
                for (size_t i = 1; i < c.tabs.size(); ++i)
                    focus.push_back(Press(w, VK_TAB, false, c.tabs[i]));
                focus.push_back(Press(w, VK_TAB, true, c.tabs[c.tabs.size() - 2]));
                PressKey(VK_ESCAPE);
            },
            closed);
        std::vector<int> expected = c.tabs;
        expected.push_back(c.tabs[c.tabs.size() - 2]);
        EXPECT_EQ(focus, expected);
        EXPECT_TRUE(closed) << "Escape did not close it";
        EXPECT_EQ(ending, c.afterEscape);

        // Enter at once: the default button, whatever has the focus.
        ending = Session(
            c, [](HWND) { PressKey(VK_RETURN); }, closed);
        EXPECT_TRUE(closed) << "Enter did not close it";
        EXPECT_EQ(ending, c.afterEnter);
    }
}
