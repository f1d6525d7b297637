// The program's dialogs under Wine: their keys, real ones from a second thread;
// their look at 96 and 144 DPI, each in a child run (Wine reads the DPI when a
// process starts): every text whole, the client scaled, a screenshot of each.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "RunAtDpi.h"
#include "DialogDriving.h"
#include "ModalDriver.h"
#include "Waiting.h"
#include "programmes/FProgLireWin32.h"
#include "system/FArreterWin32.h"
#include "system/FMiseAJourWin32.h"
#include "ui/InputBoxWin32.h"
#include "ui/Layout.h"
#include "windows/FAProposDeWin32.h"

using namespace pilotune;
using namespace pilotune::testing;

namespace {

struct NoShutdown final : ShutdownRequest {
    int requests = 0;
    void Request(unsigned) override { ++requests; }
};

struct DialogCase {
    const char* name; // of its screenshot too
    const wchar_t* cls;
    Size design;                       // its client at 96 DPI
    std::vector<int> tabs;             // the focus at first, then after each Tab, back to the first
    std::function<std::string()> show; // shows the dialog; tells how it ended
    std::string afterEnter, afterEscape;
};

const std::string kWinamp = "C:\\Program Files\\Winamp\\Winamp.exe";

std::vector<DialogCase> Cases() {
    return {
        {"countdown",
         kArreterClass,
         {258, 134},
         {IDCANCEL, kArreterChoixId, kArreterForcerId, IDCANCEL},
         [] {
             NoShutdown shutdown;
             TfrmArreter window(shutdown, {});
             window.ShowModal(nullptr, {.total = 10, .restart = true, .tickMs = 60000});
             return shutdown.requests ? std::string("demandé") : "annulé";
         },
         "annulé",
         "annulé"},
        {"update-details",
         kMiseAJourClass,
         {352, kMajClientHeight},
         {IDOK, IDCANCEL, kMajDetailId, IDOK},
         [] {
             std::string opened = "fermé";
             UpdateResult result{UpdateOutcome::NewVersion,
                                 "Mise à jour de Pilotune V1.0.0.0",
                                 "Une nouvelle version est disponible, la 1.1.0.0.\r\nVoulez-vous "
                                 "la télécharger ?",
                                 "1.1.0.0",
                                 "http://exemple.fr/Pilotune.zip",
                                 "Nouveautés de la 1.1 :\r\n- copie plus sûre des titres\r\n- "
                                 "compte à rebours plus lisible\r\n- fenêtres à la taille de "
                                 "l'écran"};
             TfrmMiseAJour window(result, [&](const std::string& a) { opened = "ouvre " + a; });
             window.ShowModal(nullptr);
             return opened;
         },
         "ouvre http://exemple.fr/Pilotune.zip",
         "fermé"},
        {"choice",
         kProgLireClass,
         {444, 114},
         {kCbxProgTitreId, IDOK, IDCANCEL, kCbxProgTitreId},
         [] {
             TfrmProgLire dialog;
             const auto chosen = dialog.Choisir(nullptr, {"PlayList", "Soirée au calme"});
             return chosen ? *chosen : "rien";
         },
         "PlayList",
         "rien"},
        {"input-box",
         kInputBoxClass,
         {370, 122},
         {kInputBoxEditId, IDOK, IDCANCEL, kInputBoxEditId},
         [] {
             std::string text = kWinamp;
             const bool ok = InputBox(nullptr, "Pilotune", "Où se trouve Winamp ?", text);
             return (ok ? "OK " : "Annuler ") + text;
         },
         "OK " + kWinamp,
         "Annuler " + kWinamp},
    };
}

// Presses `key` and waits for the focus to settle on `id` (or the window to go).
int Press(HWND w, WORD key, bool shift, int expectId) {
    PressKey(key, shift);
    WaitFor([&] { return FocusedId(w) == expectId; }, 2000);
    return FocusedId(w);
}

// Shows the dialog while a second thread types `keys`, which must close it
// (else the close box does, to end the test); returns its ending.
std::string Session(const DialogCase& c, std::function<void(HWND)> keys) {
    bool closedByKeys = false;
    ModalDriver driver(c.cls, [&](HWND w) {
        if (!MakeForeground(w)) ADD_FAILURE() << c.name << ": not in front";
        keys(w);
        closedByKeys = WaitFor([&] { return !IsWindow(w); }, 3000);
        if (!closedByKeys) PostMessageW(w, WM_CLOSE, 0, 0);
    });
    const std::string ending = c.show();
    driver.Join();
    EXPECT_TRUE(driver.found && closedByKeys) << c.name << ": not shown, or the keys left it open";
    return ending;
}

TEST(DialogKeys, TabWalksEveryDialogEnterPressesItsDefaultButtonEscapeCancels) {
    for (const DialogCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        // Tab round the controls, one Shift+Tab back, then Escape.
        std::vector<int> focus;
        std::string ending = Session(c, [&](HWND w) {
            WaitFor([&] { return FocusedId(w) == c.tabs.front(); }, 2000);
            focus.push_back(FocusedId(w));
            for (size_t i = 1; i < c.tabs.size(); ++i)
                focus.push_back(Press(w, VK_TAB, false, c.tabs[i]));
            focus.push_back(Press(w, VK_TAB, true, c.tabs[c.tabs.size() - 2]));
            PressKey(VK_ESCAPE);
        });
        std::vector<int> expected = c.tabs;
        expected.push_back(c.tabs[c.tabs.size() - 2]);
        EXPECT_EQ(focus, expected);
        EXPECT_EQ(ending, c.afterEscape);

        // Enter at once: the default button, whatever has the focus.
        ending = Session(c, [](HWND) { PressKey(VK_RETURN); });
        EXPECT_EQ(ending, c.afterEnter);
    }
}

constexpr char kChildVariable[] = "PILOTUNE_DPI_CHILD";

TEST(DialogsAtDpi, EveryDialogShowsItsWholeTextsAt96And144) {
    RunAtEachDpi({96, 144}, L"DialogsAtOneDpi.*", kChildVariable);
}

// Checks a shown window and saves its screenshot.
void Look(HWND w, int dpi, Size design, const std::string& name) {
    const SIZE client = ClientSize(w);
    EXPECT_EQ(client.cx, ScaleToDpi(design.width, dpi)) << name;
    EXPECT_GE(client.cy, ScaleToDpi(design.height, dpi)) << name;
    EXPECT_EQ(ClippedTexts(w), "") << name;
    EXPECT_TRUE(SaveWindowBmp(w, name + "-" + std::to_string(dpi))) << name;
}

TEST(DialogsAtOneDpi, Windows) {
    const int dpi = ChildDpi(kChildVariable);
    if (!dpi) GTEST_SKIP() << "run by DialogsAtDpi with the DPI set";
    SetProcessDPIAware(); // as the program's manifest declares
    ASSERT_EQ(ScreenDpi(), dpi);
    // Shows a modal window by `show` and looks at it, the update's details open.
    const auto modal = [&](const wchar_t* cls, Size design, const std::string& name, auto show) {
        ModalDriver drive(cls, [&](HWND w) {
            if (name == "update-details") Click(GetDlgItem(w, kMajDetailId));
            if (name == "countdown-unsaved")
                WaitFor([&] {
                    return TextOf(GetDlgItem(w, kArreterLabelId)) == kArreterNonEnregistre;
                });
            Look(w, dpi, design, name);
            PostMessageW(w, WM_CLOSE, 0, 0);
        });
        show();
    };
    for (const DialogCase& c : Cases())
        modal(c.cls, c.design, c.name, c.show);

    UpdateResult failure{UpdateOutcome::Failed,
                         "Mise à jour de Pilotune V1.0.0.0",
                         "La vérification des mises à jour n'a pas pu être faite : le serveur "
                         "http://mises-a-jour.exemple.fr/pilotune/version-stable/MAJPilotune.ini "
                         "ne répond pas (réseau absent ou serveur arrêté).",
                         "",
                         "",
                         ""};
    TfrmMiseAJour failed(failure, {});
    modal(kMiseAJourClass, {352, kMajClientHeight}, "update-failure",
          [&] { failed.ShowModal(nullptr); });

    // The countdown at zero, the settings not saved: it says so on the window.
    NoShutdown none;
    TfrmArreter unsaved(none, [] { return false; });
    modal(kArreterClass, {258, 134}, "countdown-unsaved",
          [&] { unsaved.ShowModal(nullptr, {.total = 1, .tickMs = 50}); });
    TfrmAProposDe about({});
    ASSERT_TRUE(about.Open());
    RedrawWindow(about.Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump(200); // shown on the X server before it is read back
    Look(about.Handle(), dpi, {505, 436}, "about");
}

} // namespace
