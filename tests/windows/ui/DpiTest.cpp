// The countdown and the update window at 96 and 144 DPI: every text whole,
// the client scaled from its design size, and a screenshot of each under
// build/screenshots/. Wine reads the DPI (HKCU\Control Panel\Desktop,
// LogPixels) when a process starts: the test sets it, runs itself again for
// the windows, and puts the value back.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "DialogDriving.h"
#include "ModalDriver.h"
#include "RunAtDpi.h"
#include "base/EncodingWin32.h"
#include "system/FArreterWin32.h"
#include "system/FMiseAJourWin32.h"
#include "programmes/FProgLireWin32.h"
#include "ui/InputBoxWin32.h"
#include "windows/FAProposDeWin32.h"
#include "Waiting.h"
#include "ui/Layout.h"

using namespace pilotune;
using namespace pilotune::testing;

namespace {

constexpr char kChildVariable[] = "PILOTUNE_DPI_CHILD";

DWORD RunChild(int dpi) {
    return RunSelfAtDpi(dpi, L"DialogsAtOneDpi.*", kChildVariable);
}

constexpr const char* kShots[] = {"countdown", "update-failure", "update-details",
                                  "choice",    "input-box",      "about"};

bool Exists(const std::string& path) {
    return GetFileAttributesW(Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

} // namespace

TEST(DialogsAtDpi, EveryDialogShowsItsWholeTextsAt96And144) {
    for (int dpi : {96, 144}) {
        for (const char* name : kShots)
            DeleteFileW(
                Widen(ScreenshotPath(std::string(name) + "-" + std::to_string(dpi) + ".bmp"))
                    .c_str());
        DWORD code = 0;
        {
            LogPixels setting(static_cast<DWORD>(dpi));
            code = RunChild(dpi);
        }
        EXPECT_EQ(code, 0u) << dpi << " DPI: see the child's output above";
        for (const char* name : kShots) {
            const std::string shot =
                ScreenshotPath(std::string(name) + "-" + std::to_string(dpi) + ".bmp");
            EXPECT_TRUE(Exists(shot)) << shot;
        }
    }
}

namespace {

struct NoShutdown final : ShutdownRequest {
    void Request(unsigned) override {}
};

// Checks a shown window, saves its screenshot; `then` acts on it before.
void Look(HWND w, int dpi, Size design, const std::string& name) {
    const SIZE client = ClientSize(w);
    EXPECT_EQ(client.cx, ScaleToDpi(design.width, dpi)) << name;
    EXPECT_GE(client.cy, ScaleToDpi(design.height, dpi)) << name;
    EXPECT_EQ(ClippedTexts(w), "") << name;
    EXPECT_TRUE(SaveScreenshot(w, ScreenshotPath(name + "-" + std::to_string(dpi) + ".bmp")))
        << name;
}

} // namespace

TEST(DialogsAtOneDpi, Windows) {
    const char* wanted = std::getenv(kChildVariable);
    if (!wanted) GTEST_SKIP() << "run by DialogsAtDpi with the DPI set";
    SetProcessDPIAware(); // as the program's manifest declares
    const int dpi = std::atoi(wanted);
    ASSERT_EQ(ScreenDpi(), dpi);

    NoShutdown shutdown;
    TfrmArreter countdown(shutdown, {});
    ModalDriver drive(kArreterClass, [&](HWND w) {
        Look(w, dpi, {258, 134}, "countdown");
        PostMessageW(w, WM_CLOSE, 0, 0);
    });
    countdown.ShowModal(nullptr, {.total = 10, .restart = true, .tickMs = 60000});
    drive.Join();

    UpdateResult failure{UpdateOutcome::Failed,
                         "Mise à jour de Pilotune V1.0.0.0",
                         "La vérification des mises à jour n'a pas pu être faite : le serveur "
                         "http://mises-a-jour.exemple.fr/pilotune/version-stable/MAJPilotune.ini "
                         "ne répond pas (réseau absent ou serveur arrêté).",
                         "",
                         "",
                         ""};
    TfrmMiseAJour failed(failure, {});
    ModalDriver driveFailure(kMiseAJourClass, [&](HWND w) {
        Look(w, dpi, {352, kMajClientHeight}, "update-failure");
        PostMessageW(w, WM_CLOSE, 0, 0);
    });
    failed.ShowModal(nullptr);
    driveFailure.Join();

    UpdateResult fresh{UpdateOutcome::NewVersion,
                       "Mise à jour de Pilotune V1.0.0.0",
                       "Une nouvelle version est disponible, la 1.1.0.0.\r\nVoulez-vous la "
                       "télécharger ?",
                       "1.1.0.0",
                       "http://exemple.fr/Pilotune.zip",
                       "Nouveautés de la 1.1 :\r\n- copie plus sûre des titres\r\n- compte à "
                       "rebours plus lisible\r\n- fenêtres à la taille de l'écran"};
    TfrmMiseAJour news(fresh, {});
    ModalDriver driveNews(kMiseAJourClass, [&](HWND w) {
        Click(GetDlgItem(w, kMajDetailId));
        Look(w, dpi, {352, kMajClientHeight}, "update-details");
        PostMessageW(w, WM_CLOSE, 0, 0);
    });
    news.ShowModal(nullptr);
    driveNews.Join();

    TfrmProgLire choice;
    ModalDriver driveChoice(kProgLireClass, [&](HWND w) {
        Look(w, dpi, {444, 114}, "choice");
        PostMessageW(w, WM_CLOSE, 0, 0);
    });
    choice.Choisir(nullptr, {"PlayList", "Soirée au calme"});
    driveChoice.Join();

    std::string path = "C:\\Program Files\\Winamp\\Winamp.exe";
    ModalDriver driveInput(kInputBoxClass, [&](HWND w) {
        Look(w, dpi, {370, 122}, "input-box");
        PostMessageW(w, WM_CLOSE, 0, 0);
    });
    InputBox(nullptr, "Pilotune", "Où se trouve Winamp ?", path);
    driveInput.Join();

    TfrmAProposDe about({});
    ASSERT_TRUE(about.Open());
    RedrawWindow(about.Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump(200); // shown on the X server before it is read back
    Look(about.Handle(), dpi, {505, 417}, "about");
}
