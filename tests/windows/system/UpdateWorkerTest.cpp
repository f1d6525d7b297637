// The update check off the interface thread, against a real HTTP server on
// 127.0.0.1 that accepts connections and answers none while held: this thread
// keeps running its messages, a second check is not started, an abandoned
// check ends alone without harm, and the real program closes at once.
#include "HttpServer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <memory>
#include <thread>
#include <vector>

#include "ModalDriver.h"
#include "PilotuneProcess.h"
#include "PumpUntil.h"
#include "Simulator.h"
#include "Waiting.h"
#include "settings/SettingsStore.h"
#include "system/FMiseAJourWin32.h"
#include "system/UpdateCheckWin32.h"
#include "system/UpdateTransportWin32.h"

using namespace pilotune;
using namespace pilotune::testing;

namespace {

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

std::vector<ULONGLONG> ticks;
void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD) {
    ticks.push_back(GetTickCount64());
}

struct HeldServer : ::testing::Test {
    void SetUp() override {
        SettingsStore none;
        setup = ProgramUpdateSetup(none);
        setup.server = server.Base();
        server.Put("/MAJPilotune.ini", "[Pilotune]\r\nVersion=1.0.0.0\r\n");
        server.Hold(true);
    }
    UpdateWorker::TransportMaker Watched() {
        return [gone = transportGone] { return std::make_unique<WatchedTransport>(gone); };
    }

    HttpServer server;
    UpdateSetup setup;
    std::shared_ptr<std::atomic<bool>> transportGone = std::make_shared<std::atomic<bool>>(false);
};

TEST_F(HeldServer, ThisThreadRunsItsMessagesWhileTheServerSaysNothing) {
    UpdateWorker worker(Watched());
    int done = 0;
    UpdateResult result;
    const ULONGLONG start = GetTickCount64();
    ASSERT_TRUE(worker.Start(setup, [&](const UpdateResult& r) {
        ++done;
        result = r;
    }));
    const ULONGLONG startMs = GetTickCount64() - start;
    ASSERT_TRUE(WaitFor([&] { return server.Requests() == 1; }, 5000));

    // A timer of this thread, and a window of it asked from another thread.
    HWND window =
        CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    std::vector<long> answers;
    std::atomic<bool> asking{true};
    std::thread asker([&] {
        while (asking) {
            const ULONGLONG at = GetTickCount64();
            DWORD_PTR ignored = 0;
            const bool ok =
                SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &ignored) != 0;
            answers.push_back(ok ? static_cast<long>(GetTickCount64() - at) : -1);
            Sleep(50);
        }
    });
    ticks.clear();
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, OnTick);
    Pump(1500);
    KillTimer(nullptr, timer);
    asking = false;
    asker.join();
    DestroyWindow(window);

    // Meanwhile no second check starts, and nothing has come back.
    EXPECT_FALSE(worker.Start(setup, [&](const UpdateResult&) { ADD_FAILURE(); }));
    EXPECT_TRUE(worker.Busy());
    EXPECT_EQ(done, 0);

    ULONGLONG gap = 0;
    for (size_t i = 1; i < ticks.size(); ++i)
        gap = std::max(gap, ticks[i] - ticks[i - 1]);
    const long slowest = answers.empty() ? -1 : *std::max_element(answers.begin(), answers.end());
    std::printf("start %llu ms, %zu ticks of 50 ms in 1500 ms, longest gap %llu ms, "
                "%zu answers, slowest %ld ms\n",
                startMs, ticks.size(), gap, answers.size(), slowest);
    EXPECT_LT(startMs, 500u); // a blocked thread would wait seconds here
    EXPECT_GE(ticks.size(), 5u);
    EXPECT_LE(gap, 500u);
    EXPECT_GE(answers.size(), 10u);
    EXPECT_TRUE(std::none_of(answers.begin(), answers.end(), [](long ms) { return ms < 0; }));
    EXPECT_LE(slowest, 500);

    // The server answers at last: the result arrives here, once.
    server.Hold(false);
    ASSERT_TRUE(PumpUntil([&] { return !worker.Busy(); }, 10000));
    EXPECT_EQ(done, 1);
    EXPECT_EQ(result.outcome, UpdateOutcome::Current);
    EXPECT_EQ(server.Requests(), 1);
    EXPECT_TRUE(PumpUntil([&] { return transportGone->load(); }, 2000));
}

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
    UpdateResult result;
    int done = 0;
    start = GetTickCount64();
    ASSERT_TRUE(worker.Start(setup, [&](const UpdateResult& r) {
        ++done;
        result = r;
    }));
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
    ASSERT_TRUE(worker.Start(setup, [&](const UpdateResult& r) {
        ++done;
        result = r;
    }));
    server.Hold(false);
    ASSERT_TRUE(PumpUntil([&] { return !worker.Busy(); }, 10000));
    Pump(300);
    EXPECT_EQ(done, 2);
    EXPECT_EQ(result.outcome, UpdateOutcome::Current);
    EXPECT_EQ(server.Requests(), 3);
}

TEST_F(HeldServer, AnAbandonedCheckEndsAloneWithoutHarm) {
    int done = 0;
    auto worker = std::make_unique<UpdateWorker>(Watched());
    ASSERT_TRUE(worker->Start(setup, [&](const UpdateResult&) { ++done; }));
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

    // The same with a server that never answers and goes away.
    transportGone->store(false);
    server.Hold(true);
    worker = std::make_unique<UpdateWorker>(Watched());
    ASSERT_TRUE(worker->Start(setup, [&](const UpdateResult&) { ++done; }));
    ASSERT_TRUE(WaitFor([&] { return server.Requests() == 2; }, 5000));
    worker.reset();
    Pump(200);
    EXPECT_FALSE(transportGone->load()); // still waiting for its answer, alone
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
    const std::string user = TestUserName();
    PilotuneProcess app("update-held",
                        "[" + user + " Option]\r\nCheminWinamp=" + NarrowPath(SimulatorExe()) +
                            "\r\nNbOuvert=1\r\n[" + user +
                            " Divers]\r\nMAJ=1\r\nServeurMAJ=" + server.Base() + "\r\n");
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(WaitFor([&] { return server.Requests() == 1; }, 10000)); // after about 2 s
    const ULONGLONG asked = GetTickCount64();

    long slowest = 0;
    for (int i = 0; i < 10; ++i) {
        const ULONGLONG at = GetTickCount64();
        DWORD_PTR ignored = 0;
        const bool ok =
            SendMessageTimeoutW(app.Bar(), WM_NULL, 0, 0, SMTO_NORMAL, 2000, &ignored) != 0;
        slowest = std::max(slowest, ok ? static_cast<long>(GetTickCount64() - at) : 9999L);
        Sleep(50);
    }
    DWORD pid = 0;
    GetWindowThreadProcessId(app.Bar(), &pid);
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    const ULONGLONG closing = GetTickCount64();
    EXPECT_LT(closing - asked, 4000u); // its download still waits (5 s time-out)
    PostMessageW(app.Bar(), WM_CLOSE, 0, 0);
    const bool ended = app.WaitExit(4000);
    const ULONGLONG closeMs = GetTickCount64() - closing;
    DWORD exitCode = STILL_ACTIVE;
    if (process) {
        GetExitCodeProcess(process, &exitCode);
        CloseHandle(process);
    }
    EXPECT_EQ(exitCode, 0u); // a normal end, not a fault on the way out
    std::printf("bar: slowest answer %ld ms during the check; closed in %llu ms\n", slowest,
                closeMs);
    EXPECT_LE(slowest, 500);
    EXPECT_TRUE(ended);
    EXPECT_EQ(server.Requests(), 1);
}

} // namespace
