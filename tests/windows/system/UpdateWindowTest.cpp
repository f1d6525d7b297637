// The update check end to end: WinINet on the worker's thread against a real
// HTTP server on 127.0.0.1, files written beside this test program, the result
// shown on this thread, the window driven from a second thread. Addresses that
// would be opened are recorded, never opened.
#include "HttpServer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "DialogDriving.h"
#include "ModalDriver.h"
#include "Waiting.h"
#include "base/EncodingWin32.h"
#include "settings/SettingsStore.h"
#include "system/FMiseAJourWin32.h"
#include "system/UpdateCheckWin32.h"
#include "system/UpdateTransportWin32.h"

using namespace pilotune;
using namespace pilotune::testing;

namespace {

struct UpdateWindow : ::testing::Test {
    void SetUp() override {
        SettingsStore none; // no ServeurMAJ: the setup is completed below
        setup = ProgramUpdateSetup(none);
        ASSERT_EQ(setup.fileVersion, "1.0.0.0");
        setup.server = server.Base();
        DeleteFileW(Widen(setup.folder + "MAJPilotune.ini").c_str());
        DeleteFileW(Widen(setup.folder + "MAJPilotune.txt").c_str());
    }
    std::string LocalIni() {
        std::ifstream in(std::filesystem::path(Widen(setup.folder + "MAJPilotune.ini")),
                         std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    // Runs the check on the worker and, once its result is back on this
    // thread, shows it as the action does; when a window shows, `script`
    // drives it (then it closes with "Fermer" if still open).
    UpdateResult Run(bool fromMenu, std::function<void(HWND)> script = {}) {
        shown = false;
        ModalDriver driver(
            kMiseAJourClass,
            [&](HWND w) {
                shown = true;
                caption = TextOf(w);
                message = TextOf(GetDlgItem(w, kMajMessageId));
                details = TextOf(GetDlgItem(w, kMajDetailTextId));
                detailsButton = IsWindowVisible(GetDlgItem(w, kMajDetailId)) != FALSE;
                updateEnabled = IsWindowEnabled(GetDlgItem(w, IDOK)) != FALSE;
                clipped = ClippedTexts(w);
                RECT label{}, button{};
                GetWindowRect(GetDlgItem(w, kMajMessageId), &label);
                GetWindowRect(GetDlgItem(w, IDOK), &button);
                buttonsBelowMessage = button.top >= label.bottom;
                clientHeight = ClientSize(w).cy;
                if (script) script(w);
                if (IsWindow(w)) Click(GetDlgItem(w, IDCANCEL));
            },
            fromMenu ? 5000 : 500);
        UpdateWorker worker([] { return std::make_unique<WinInetTransport>(3000); });
        UpdateResult r;
        EXPECT_TRUE(worker.Start(setup, [&](const UpdateResult& result) {
            r = result;
            ShowUpdateResult(nullptr, result, fromMenu,
                             [&](const std::string& a) { opened.push_back(a); });
        }));
        EXPECT_TRUE(WaitFor(
            [&] {
                Pump(10);
                return !worker.Busy();
            },
            15000));
        driver.Join();
        return r;
    }

    HttpServer server;
    UpdateSetup setup;
    std::vector<std::string> opened;
    bool shown = false, detailsButton = false, updateEnabled = false;
    std::string caption, message, details, clipped;
    bool buttonsBelowMessage = false;
    int clientHeight = 0;
};

TEST_F(UpdateWindow, SameVersionFromTheMenuOffersTheDownloadAnyway) {
    server.Put("/MAJPilotune.ini",
               "[Pilotune]\r\nVersion=1.0.0.0\r\nURL=" + server.Base() + "/Pilotune.zip\r\n");
    Run(true, [](HWND w) { Click(GetDlgItem(w, IDOK)); });
    EXPECT_TRUE(shown);
    EXPECT_EQ(caption, "Mise à jour de Pilotune V1.0.0.0");
    EXPECT_EQ(message,
              "Votre version est à jour.\r\nVoulez-vous tout de même télécharger le programme ?");
    EXPECT_FALSE(detailsButton);
    EXPECT_EQ(opened, std::vector<std::string>{server.Base() + "/Pilotune.zip"});

    // The same, silently (the start-up timer), and with "0" or no version: nothing shows.
    EXPECT_EQ(Run(false).outcome, UpdateOutcome::Current);
    EXPECT_FALSE(shown);
    server.Put("/MAJPilotune.ini", "[Pilotune]\r\nVersion=0\r\n");
    EXPECT_EQ(Run(false).outcome, UpdateOutcome::Current);
    server.Put("/MAJPilotune.ini", "[Pilotune]\r\nURL=http://ailleurs/\r\n");
    EXPECT_EQ(Run(false).outcome, UpdateOutcome::Current);
    EXPECT_FALSE(shown);
}

TEST_F(UpdateWindow, NewVersionShowsItsDetailsAndIsAnnouncedOnce) {
    server.Put("/MAJPilotune.ini", "[Pilotune]\r\nVersion=1.1.0.0\r\nURL=" + server.Base() +
                                       "/Pilotune.zip\r\nListePlus=" + server.Base() +
                                       "/plus.txt?v=1.1\r\n");
    server.Put("/plus.txt?v=1.1", "Nouveautés de la 1.1 :\r\n- copie plus sûre\r\n");
    SIZE folded{}, unfolded{}, refolded{};
    bool groupInside = false;
    const UpdateResult r = Run(false, [&](HWND w) {
        folded = ClientSize(w);
        Click(GetDlgItem(w, kMajDetailId));
        unfolded = ClientSize(w);
        RECT g{};
        GetWindowRect(GetDlgItem(w, kMajGroupId), &g);
        MapWindowPoints(nullptr, w, reinterpret_cast<POINT*>(&g), 2);
        groupInside = g.bottom <= unfolded.cy;
        Click(GetDlgItem(w, kMajDetailId));
        refolded = ClientSize(w);
    });
    EXPECT_EQ(r.outcome, UpdateOutcome::NewVersion);
    EXPECT_TRUE(shown); // even from the timer
    EXPECT_EQ(message, "Une nouvelle version est disponible, la 1.1.0.0.\r\nVoulez-vous la "
                       "télécharger ?");
    EXPECT_TRUE(detailsButton);
    EXPECT_EQ(details, "Nouveautés de la 1.1 :\r\n- copie plus sûre");
    EXPECT_EQ(folded.cy, kMajClientHeight);
    EXPECT_GT(unfolded.cy, kMajClientHeight);
    EXPECT_TRUE(groupInside);
    EXPECT_EQ(refolded.cy, kMajClientHeight);
    EXPECT_TRUE(opened.empty()); // closed with "Fermer"
    EXPECT_NE(LocalIni().find("Version=0"), std::string::npos);
    EXPECT_EQ(LocalIni().find("1.1.0.0"), std::string::npos);
}

// Details saved by the server's editor in the ANSI code page, as every other
// text file of the program, or in UTF-8 with its mark: accents either way.
TEST_F(UpdateWindow, DetailsShowTheirAccentsInAnsiAndInUtf8) {
    server.Put("/MAJPilotune.ini",
               "[Pilotune]\r\nVersion=1.1.0.0\r\nListePlus=" + server.Base() + "/plus.txt\r\n");
    const std::string ansi = "Nouveaut\xE9s de la 1.1 :\r\n- copie plus s\xFBre\r\n";
    const std::string expected =
        GetACP() == 1252 ? "Nouveautés de la 1.1 :\r\n- copie plus sûre"
                         : AnsiToUtf8("Nouveaut\xE9s de la 1.1 :\r\n- copie plus s\xFBre");
    for (const std::string& served :
         {ansi, std::string("\xEF\xBB\xBFNouveautés de la 1.1 :\n- copie plus sûre\n")}) {
        server.Put("/plus.txt", served);
        Run(true);
        EXPECT_TRUE(shown);
        EXPECT_EQ(details,
                  served == ansi ? expected : "Nouveautés de la 1.1 :\r\n- copie plus sûre");
    }
}

TEST_F(UpdateWindow, ServerDownIsReportedFromTheMenuOnly) {
    setup.server = HttpServer::DownAddress();
    // A copy from an earlier check stays on disk; it must not answer for the server.
    std::ofstream(std::filesystem::path(Widen(setup.folder + "MAJPilotune.ini")))
        << "[Pilotune]\r\nVersion=1.0.0.0\r\n";
    EXPECT_EQ(Run(false).outcome, UpdateOutcome::Failed);
    EXPECT_FALSE(shown);
    Run(true);
    EXPECT_TRUE(shown);
    EXPECT_EQ(message.rfind("La vérification des mises à jour n'a pas pu être faite : ", 0), 0u)
        << message;
    EXPECT_NE(message.find("ne répond pas"), std::string::npos) << message;
    EXPECT_EQ(clipped, "");
    EXPECT_TRUE(buttonsBelowMessage);

    // A long reason makes the window taller; it is never cut off.
    setup.server = HttpServer::DownAddress() +
                   "/telechargements/mises-a-jour/pilotune/version-stable/windows/64-bits/"
                   "francais/installation-portable/dossier-complet/derniere-version/francais";
    Run(true);
    EXPECT_NE(message.find("francais/MAJPilotune.ini"), std::string::npos) << message;
    EXPECT_EQ(clipped, "");
    EXPECT_TRUE(buttonsBelowMessage);
    EXPECT_GT(clientHeight, kMajClientHeight);

    // A server that answers but has no description file.
    setup.server = server.Base();
    Run(true);
    EXPECT_NE(message.find("404"), std::string::npos) << message;
    EXPECT_EQ(clipped, "");
}

TEST_F(UpdateWindow, LocalProgramsAndFilesAreNeverOpened) {
    for (const char* url : {"C:\\Windows\\notepad.exe", "file:///C:/Windows/notepad.exe"}) {
        server.Put("/MAJPilotune.ini",
                   std::string("[Pilotune]\r\nVersion=1.0.0.0\r\nURL=") + url + "\r\n");
        Run(true, [](HWND w) {
            PostMessageW(w, WM_COMMAND, IDOK, 0);
            Sleep(200);
        });
        EXPECT_TRUE(shown);
        EXPECT_FALSE(updateEnabled) << url;
    }
    EXPECT_TRUE(opened.empty());
}

} // namespace
