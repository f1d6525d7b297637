// The system windows end to end: the update check against a real HTTP server
// on 127.0.0.1 (addresses to open are recorded, never opened), the see-through
// bar over a striped "desktop" window (PILOTUNE_HOLD_MS keeps each state on
// screen). The shutdown countdown is in CountdownTest.cpp.
#include <winsock2.h>

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <mutex>
#include <sstream>
#include <thread>
#include <vector>

#include "DialogDriving.h"
#include "ModalDriver.h"
#include "PilotuneProcess.h"
#include "Waiting.h"
#include "Simulator.h"
#include "WindowText.h"
#include "base/EncodingWin32.h"
#include "base/PathsWin32.h"
#include "settings/SettingsStore.h"
#include "system/BackgroundWin32.h"
#include "system/FMiseAJourWin32.h"
#include "system/UpdateCheckWin32.h"
#include "system/UpdateTransportWin32.h"

using namespace pilotune;
using namespace pilotune::testing;

namespace {

// A small real HTTP server on 127.0.0.1: GET only, files from a map, 404 for
// the rest, one connection at a time on its own thread. While held, it reads
// every request and answers none of them until released.
class HttpServer {
  public:
    HttpServer() {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
        listener_ = Bound(port_);
        listen(listener_, 8);
        thread_ = std::thread([this] { Serve(); });
    }
    ~HttpServer() {
        closesocket(listener_); // the accept below fails: the thread ends
        thread_.join();
        for (auto& [c, path] : held_)
            closesocket(c); // unanswered: the client sees the connection drop
        WSACleanup();
    }
    std::string Base() const { return "http://127.0.0.1:" + std::to_string(port_); }
    void Put(const std::string& path, const std::string& body) {
        std::lock_guard lock(mutex_);
        files_[path] = body;
    }
    // Held, requests get no answer; released, the held ones are answered now.
    void Hold(bool on) {
        std::lock_guard lock(mutex_);
        hold_ = on;
        if (on) return;
        for (auto& [c, path] : held_)
            Answer(c, path);
        held_.clear();
    }
    int Requests() const { return requests_; }

    // A port where nothing listens: a server that is down.
    static std::string DownAddress() {
        int port = 0;
        closesocket(Bound(port));
        return "http://127.0.0.1:" + std::to_string(port);
    }

  private:
    // A socket bound to a free port of 127.0.0.1, given in `port`.
    static SOCKET Bound(int& port) {
        SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(s, reinterpret_cast<sockaddr*>(&a), sizeof(a));
        int len = sizeof(a);
        getsockname(s, reinterpret_cast<sockaddr*>(&a), &len);
        port = ntohs(a.sin_port);
        return s;
    }

    void Serve() {
        for (SOCKET c; (c = accept(listener_, nullptr, nullptr)) != INVALID_SOCKET;) {
            std::string request, method, path;
            char buf[2048];
            while (request.find("\r\n\r\n") == std::string::npos) {
                const int n = recv(c, buf, sizeof(buf), 0);
                if (n <= 0) break;
                request.append(buf, static_cast<size_t>(n));
            }
            std::istringstream(request) >> method >> path;
            std::lock_guard lock(mutex_);
            ++requests_;
            if (hold_)
                held_.emplace_back(c, path);
            else
                Answer(c, path);
        }
    }

    // Called with the mutex held.
    void Answer(SOCKET c, const std::string& path) {
        const auto it = files_.find(path);
        const std::string body = it != files_.end() ? it->second : "introuvable";
        const std::string answer =
            "HTTP/1.1 " + std::string(it != files_.end() ? "200 OK" : "404 Not Found") +
            "\r\nContent-Type: text/plain\r\nContent-Length: " + std::to_string(body.size()) +
            "\r\nConnection: close\r\n\r\n" + body;
        send(c, answer.data(), static_cast<int>(answer.size()), 0);
        shutdown(c, SD_SEND);
        closesocket(c);
    }

    SOCKET listener_ = INVALID_SOCKET;
    int port_ = 0;
    std::thread thread_;
    std::mutex mutex_;
    std::map<std::string, std::string> files_;
    bool hold_ = false;
    std::vector<std::pair<SOCKET, std::string>> held_;
    std::atomic<int> requests_{0};
};

// The real transport, telling when the check's thread has let it go.
class WatchedTransport final : public UpdateTransport {
  public:
    explicit WatchedTransport(std::shared_ptr<std::atomic<bool>> gone) : gone_(std::move(gone)) {}
    ~WatchedTransport() override { *gone_ = true; }
    std::string Download(const std::string& url, const std::string& path) override {
        return real_.Download(url, path);
    }

  private:
    WinInetTransport real_{10000};
    std::shared_ptr<std::atomic<bool>> gone_;
};

struct UpdateServer : ::testing::Test {
    void SetUp() override {
        SettingsStore none; // no ServeurMAJ: the setup is completed here
        setup = ProgramUpdateSetup(none);
        setup.server = server.Base();
    }
    HttpServer server;
    UpdateSetup setup;
};

struct HeldServer : UpdateServer {
    void SetUp() override {
        UpdateServer::SetUp();
        server.Put("/MAJPilotune.ini", "[Pilotune]\r\nVersion=1.0.0.0\r\n");
        server.Hold(true);
    }
    UpdateWorker::TransportMaker Watched() {
        return [gone = transportGone] { return std::make_unique<WatchedTransport>(gone); };
    }
    // Where the results come back: how many, and the last one.
    UpdateWorker::Done Note() {
        return [this](const UpdateResult& r) {
            ++done;
            result = r;
        };
    }

    int done = 0;
    UpdateResult result;

    std::shared_ptr<std::atomic<bool>> transportGone = std::make_shared<std::atomic<bool>>(false);
};

// Each download gives up after its time-out; the check as a whole after its
// limit, whatever the network does, and the worker is free again.
TEST_F(HeldServer, SilenceEndsInAFailureWithinItsBounds) {
    // On a thread of its own, so that a download that never ends fails here.
    struct Download {
        std::atomic<bool> over{false};
        std::string error;
    };
    auto download = std::make_shared<Download>();
    ULONGLONG start = GetTickCount64();
    std::thread([download, url = server.Base() + "/MAJPilotune.ini",
                 path = setup.folder + "MAJPilotune.ini"] {
        download->error = WinInetTransport{1000}.Download(url, path);
        download->over = true;
    }).detach();
    ASSERT_TRUE(WaitFor([&] { return download->over.load(); }, 5000));
    const ULONGLONG downloadMs = GetTickCount64() - start;
    EXPECT_NE(download->error.find("ne répond pas"), std::string::npos) << download->error;

    UpdateWorker worker(Watched(), 1000);
    start = GetTickCount64();
    ASSERT_TRUE(worker.Start(setup, Note()));
    ASSERT_TRUE(PumpUntil([&] { return !worker.Busy(); }, 5000));
    const ULONGLONG checkMs = GetTickCount64() - start;
    std::printf("silent server: download gave up after %llu ms, check after %llu ms\n", downloadMs,
                checkMs);
    EXPECT_LT(downloadMs, 2500u);
    EXPECT_GE(checkMs, 900u);
    EXPECT_LT(checkMs, 2500u);
    EXPECT_EQ(done, 1);
    EXPECT_EQ(result.outcome, UpdateOutcome::Failed);
    EXPECT_EQ(result.message, "La vérification des mises à jour n'a pas pu être faite : le "
                              "serveur " +
                                  server.Base() +
                                  "/MAJPilotune.ini n'a pas répondu en 1 secondes.");
    EXPECT_FALSE(transportGone->load()); // the abandoned thread still waits, alone

    // Free for the next check, which the server now answers; the late answer
    // to the abandoned one is dropped.
    server.Hold(false);
    ASSERT_TRUE(worker.Start(setup, Note()));
    ASSERT_TRUE(PumpUntil([&] { return !worker.Busy(); }, 10000));
    Pump(300);
    EXPECT_EQ(done, 2);
    EXPECT_EQ(result.outcome, UpdateOutcome::Current) << result.message;
    EXPECT_EQ(server.Requests(), 3);
}

TEST_F(HeldServer, AnAbandonedCheckEndsAloneWithoutHarm) {
    auto worker = std::make_unique<UpdateWorker>(Watched());
    ASSERT_TRUE(worker->Start(setup, Note()));
    ASSERT_TRUE(WaitFor([&] { return server.Requests() == 1; }, 5000));
    const ULONGLONG start = GetTickCount64();
    worker.reset(); // the program closing in the middle of a check
    const ULONGLONG goneMs = GetTickCount64() - start;
    EXPECT_LT(goneMs, 500u);

    // The check's thread gets its answer later, finishes and lets all go;
    // the window it would have told is gone, and nothing else hears it.
    server.Hold(false);
    ASSERT_TRUE(PumpUntil([&] { return transportGone->load(); }, 10000));
    Pump(300);
    EXPECT_EQ(done, 0);
}

TEST_F(HeldServer, TheWorkerMayGoWhileItsResultIsInHand) {
    server.Hold(false);
    auto worker = std::make_unique<UpdateWorker>(Watched());
    bool done = false;
    ASSERT_TRUE(worker->Start(setup, [&](const UpdateResult&) {
        worker.reset(); // e.g. the program closing under the open update window
        done = true;
    }));
    ASSERT_TRUE(PumpUntil([&] { return done; }, 10000));
    EXPECT_EQ(worker, nullptr);
    EXPECT_TRUE(PumpUntil([&] { return transportGone->load(); }, 2000));
}

// The start-up timer's silent check is under way when the user asks from the
// menu: no second download, and the running check's result shows.
TEST_F(HeldServer, AMenuRequestJoinsTheRunningCheck) {
    std::vector<std::string> opened;
    UpdateAction action([&](const std::string& a) { opened.push_back(a); }, Watched());
    EXPECT_TRUE(action.Run(nullptr, setup, false));
    ASSERT_TRUE(WaitFor([&] { return server.Requests() == 1; }, 5000));
    EXPECT_FALSE(action.Run(nullptr, setup, true));
    EXPECT_TRUE(action.Busy());

    std::string message;
    ModalDriver driver(kMiseAJourClass, [&](HWND w) {
        message = TextOf(GetDlgItem(w, kMajMessageId));
        Click(GetDlgItem(w, IDCANCEL));
    });
    server.Hold(false);
    ASSERT_TRUE(PumpUntil([&] { return !action.Busy(); }, 10000));
    driver.Join();
    EXPECT_TRUE(driver.found);
    EXPECT_EQ(message,
              "Votre version est à jour.\r\nVoulez-vous tout de même télécharger le programme ?");
    EXPECT_EQ(server.Requests(), 1);
    EXPECT_TRUE(opened.empty());
}

// The real program, its start-up check hanging on the server: the bar answers
// at once, and closing it does not wait for the check.
TEST_F(HeldServer, TheProgramAnswersAndClosesDuringACheck) {
    Simulator sim{Simulator::Options{.tracks = 3}};
    std::string ini = SimulatorIni();
    ini.replace(ini.find("MAJ=0"), 5, "MAJ=1\r\nServeurMAJ=" + server.Base());
    PilotuneProcess app("update-held", ini);
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(WaitFor([&] { return server.Requests() == 1; }, 10000)); // after about 2 s
    const ULONGLONG asked = GetTickCount64();

    long slowest = 0;
    for (int i = 0; i < 10; ++i, Sleep(50)) {
        const long ms = AnswerTime(app.Bar(), WM_NULL, 0, 0, 2000);
        slowest = std::max(slowest, ms < 0 ? 9999L : ms);
    }
    const ULONGLONG closing = GetTickCount64();
    EXPECT_LT(closing - asked, 4000u); // its download still waits (5 s time-out)
    PostMessageW(app.Bar(), WM_CLOSE, 0, 0);
    const bool ended = app.WaitExit(4000);
    const ULONGLONG closeMs = GetTickCount64() - closing;
    EXPECT_EQ(app.ExitCode(), 0u); // a normal end, not a fault on the way out
    std::printf("bar: slowest answer %ld ms during the check; closed in %llu ms\n", slowest,
                closeMs);
    EXPECT_LE(slowest, 500);
    EXPECT_TRUE(ended);
    EXPECT_EQ(server.Requests(), 1);
}

struct UpdateWindow : UpdateServer {
    void SetUp() override {
        UpdateServer::SetUp();
        ASSERT_EQ(setup.fileVersion, "1.0.0.0");
        DeleteFileW(Widen(setup.folder + "MAJPilotune.ini").c_str());
        DeleteFileW(Widen(setup.folder + "MAJPilotune.txt").c_str());
    }
    std::string LocalIni() {
        std::ifstream in(std::filesystem::path(Widen(setup.folder + "MAJPilotune.ini")));
        return {std::istreambuf_iterator<char>(in), {}};
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
        EXPECT_TRUE(PumpUntil([&] { return !worker.Busy(); }, 15000));
        driver.Join();
        return r;
    }

    std::vector<std::string> opened;
    bool shown = false, detailsButton = false, updateEnabled = false;
    std::string caption, message, details, clipped;
    bool buttonsBelowMessage = false;
    int clientHeight = 0;
};

TEST_F(UpdateWindow, SameVersionFromTheMenuOffersTheDownloadAnywayButNeverALocalProgram) {
    server.Put("/MAJPilotune.ini",
               "[Pilotune]\r\nVersion=1.0.0.0\r\nURL=" + server.Base() + "/Pilotune.zip\r\n");
    Run(true, [](HWND w) { Click(GetDlgItem(w, IDOK)); });
    EXPECT_TRUE(shown);
    EXPECT_EQ(caption, "Mise à jour de Pilotune V1.0.0.0");
    EXPECT_EQ(message,
              "Votre version est à jour.\r\nVoulez-vous tout de même télécharger le programme ?");
    EXPECT_FALSE(detailsButton);
    EXPECT_EQ(opened, std::vector<std::string>{server.Base() + "/Pilotune.zip"});

    // Local programs and files are never opened.
    opened.clear();
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
    // Saved by the server's editor in the ANSI code page, as every other text file.
    server.Put("/plus.txt?v=1.1", "Nouveaut\xE9s de la 1.1 :\r\n- copie plus s\xFBre\r\n");
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
    EXPECT_EQ(details, GetACP() == 1252
                           ? "Nouveautés de la 1.1 :\r\n- copie plus sûre"
                           : AnsiToUtf8("Nouveaut\xE9s de la 1.1 :\r\n- copie plus s\xFBre"));
    EXPECT_EQ(folded.cy, kMajClientHeight);
    EXPECT_GT(unfolded.cy, kMajClientHeight);
    EXPECT_TRUE(groupInside);
    EXPECT_EQ(refolded.cy, kMajClientHeight);
    EXPECT_TRUE(opened.empty()); // closed with "Fermer"
    EXPECT_NE(LocalIni().find("Version=0"), std::string::npos);
    EXPECT_EQ(LocalIni().find("1.1.0.0"), std::string::npos);
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

constexpr COLORREF kDesktopColour = RGB(30, 110, 200);
BarBackground* g_background = nullptr;
Element* g_image = nullptr;

void Fill(HDC dc, RECT r, COLORREF colour) {
    HBRUSH b = CreateSolidBrush(colour);
    FillRect(dc, &r, b);
    DeleteObject(b);
}

LRESULT CALLBACK DesktopProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(w, &ps);
        RECT r;
        GetClientRect(w, &r);
        Fill(dc, r, kDesktopColour);
        for (int x = 0; x < r.right; x += 80)
            Fill(dc, {x, 0, x + 20, r.bottom}, RGB(240, 200, 40));
        EndPaint(w, &ps);
        return 0;
    }
    return DefWindowProcW(w, m, wp, lp);
}

LRESULT CALLBACK BarProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_ERASEBKGND) return 1;
    if (m == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(w, &ps);
        RECT r;
        GetClientRect(w, &r);
        Fill(dc, r, g_background->WindowColour());
        if (g_image) g_background->Draw(dc, *g_image);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(255, 255, 255));
        TextOutW(dc, 10, 5, L"1. Artiste - Titre  0:42", 24);
        EndPaint(w, &ps);
        return 0;
    }
    return DefWindowProcW(w, m, wp, lp);
}

class BackgroundWindow : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        // The desktop repaints itself on its own thread, as another program would.
        HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        desktopThread = std::thread([ready] {
            desktopThreadId = GetCurrentThreadId();
            desktop = MakeWindow(L"PilotuneFauxBureau", DesktopProc, WS_POPUP | WS_VISIBLE,
                                 {0, 0, 1024, 768});
            ::UpdateWindow(desktop);
            SetEvent(ready);
            MSG msg;
            while (GetMessageW(&msg, nullptr, 0, 0) > 0)
                DispatchMessageW(&msg);
        });
        WaitForSingleObject(ready, 5000);
        CloseHandle(ready);
        bar = MakeWindow(L"PilotuneFausseBarre", BarProc, WS_POPUP | WS_VISIBLE,
                         {200, 600, 400, 30}, L"", nullptr, WS_EX_TOOLWINDOW);
        SetWindowPos(bar, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        Pump(300);
    }
    static void TearDownTestSuite() {
        DestroyWindow(bar);
        PostMessageW(desktop, WM_CLOSE, 0, 0);
        PostThreadMessageW(desktopThreadId, WM_QUIT, 0, 0);
        desktopThread.join();
    }
    void SetUp() override {
        // A loaded test machine repaints the desktop under the bar more slowly.
        background.captureDelayMs = 300;
        image.name = "imgFond";
        image.kind = ElementKind::Picture;
        image.bounds = {0, 0, 400, 30};
        g_background = &background;
        g_image = &image;
        DeleteFileW(Widen(background.FilePath()).c_str());
    }
    void TearDown() override {
        DeleteFileW(Widen(background.FilePath()).c_str());
        g_image = nullptr;
        g_background = nullptr;
    }
    // Applies the transparency and waits for the capture it may start.
    void Apply(int percent) {
        background.ApplyTransparency(bar, image, percent);
        ASSERT_TRUE(PumpUntil([&] { return !background.Capturing(); }, 5000));
        if (const char* hold = std::getenv("PILOTUNE_HOLD_MS")) Pump(std::atoi(hold));
    }
    bool Saved() {
        return GetFileAttributesW(Widen(background.FilePath()).c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    bool Layered() { return (GetWindowLongW(bar, GWL_EXSTYLE) & WS_EX_LAYERED) != 0; }
    // The bar's layer as Windows holds it: its colour key, alpha and flags.
    struct Layer {
        COLORREF key = 0;
        BYTE alpha = 0;
        DWORD flags = 0;
    };
    Layer LayerOf() {
        Layer l;
        EXPECT_TRUE(GetLayeredWindowAttributes(bar, &l.key, &l.alpha, &l.flags));
        return l;
    }
    // Colour of the picture at (x, y) of the bar.
    COLORREF PictureAt(int x, int y) {
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, background.Bitmap());
        const COLORREF c = GetPixel(dc, x, y);
        SelectObject(dc, old);
        DeleteDC(dc);
        return c;
    }

    static inline HWND desktop = nullptr, bar = nullptr;
    static inline std::thread desktopThread;
    static inline DWORD desktopThreadId = 0;
    BarBackground background;
    Element image;
};

TEST_F(BackgroundWindow, HalfTakesThePictureUnderTheBarAndMakesItTranslucent) {
    Apply(50);
    ASSERT_TRUE(Saved());
    BITMAP info{};
    GetObjectW(background.Bitmap(), sizeof(info), &info);
    EXPECT_EQ(info.bmWidth, 400);
    EXPECT_EQ(info.bmHeight, 30);
    // The desktop under the bar was copied, not the bar itself (bar x 200..600:
    // stripes at 240..260, plain at 300).
    EXPECT_EQ(PictureAt(100, 10), kDesktopColour);
    EXPECT_EQ(PictureAt(45, 10), RGB(240, 200, 40));
    EXPECT_TRUE(IsWindowVisible(bar));
    EXPECT_TRUE(image.visible);
    EXPECT_TRUE(Layered());
    EXPECT_EQ(LayerOf().alpha, 127);
    EXPECT_EQ(LayerOf().flags, static_cast<DWORD>(LWA_ALPHA));
    EXPECT_EQ(background.WindowColour(), RGB(253, 253, 253));

    // A damaged picture file is taken again, not trusted.
    HANDLE h = CreateFileW(Widen(background.FilePath()).c_str(), GENERIC_WRITE, 0, nullptr,
                           CREATE_ALWAYS, 0, nullptr);
    DWORD n = 0;
    WriteFile(h, "BMabîmé", 8, &n, nullptr);
    CloseHandle(h);
    // The capture does not hold up this thread: the call returns before the
    // copy is made, the bar hidden meanwhile.
    background.Load(bar);
    EXPECT_TRUE(background.Capturing());
    EXPECT_FALSE(IsWindowVisible(bar));
    ASSERT_TRUE(PumpUntil([&] { return !background.Capturing(); }, 5000));
    EXPECT_TRUE(IsWindowVisible(bar));
    GetObjectW(background.Bitmap(), sizeof(info), &info);
    EXPECT_EQ(info.bmWidth, 400);
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExW(Widen(background.FilePath()).c_str(), GetFileExInfoStandard, &data);
    EXPECT_GT(data.nFileSizeLow, 400u * 30u * 3u);
}

TEST_F(BackgroundWindow, FullKeysTheBarColourOutOpaqueUsesTheSavedPictureAndNoLayer) {
    Apply(100);
    EXPECT_FALSE(Saved()); // no picture needed
    EXPECT_FALSE(image.visible);
    EXPECT_TRUE(Layered());
    EXPECT_EQ(LayerOf().flags, static_cast<DWORD>(LWA_COLORKEY));
    EXPECT_EQ(LayerOf().key, RGB(253, 253, 253));
    Apply(88);
    EXPECT_FALSE(image.visible);
    Apply(87);
    EXPECT_TRUE(image.visible);
    EXPECT_EQ(LayerOf().alpha, 33);
    EXPECT_TRUE(Saved());

    // Opaque: a picture saved earlier is used as it is, without a new capture.
    HBITMAP small = CreateBitmap(2, 2, 1, 32, nullptr);
    ASSERT_TRUE(SaveBitmapFile(small, background.FilePath()));
    DeleteObject(small);
    Apply(0);
    EXPECT_FALSE(Layered());
    EXPECT_TRUE(image.visible);
    BITMAP info{};
    GetObjectW(background.Bitmap(), sizeof(info), &info);
    EXPECT_EQ(info.bmWidth, 2);
    EXPECT_EQ(GetWindowLongW(bar, GWL_EXSTYLE) & WS_EX_TOPMOST, WS_EX_TOPMOST);
}

} // namespace
