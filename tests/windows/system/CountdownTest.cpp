// The shutdown countdown window, driven from a second thread; the request to
// Windows goes to a recording fake, and "saving the settings" is a real flush.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

#include "ModalDriver.h"
#include "Waiting.h"
#include "base/PathsWin32.h"
#include "settings/SettingsStore.h"
#include "system/FArreterWin32.h"

using namespace pilotune;
using namespace pilotune::testing;

namespace {

class RecordingShutdown final : public ShutdownRequest {
  public:
    std::vector<unsigned> requests;
    std::atomic<int> count{0};
    void Request(unsigned flags) override {
        requests.push_back(flags);
        ++count;
    }
};

struct Countdown : ::testing::Test {
    void SetUp() override {
        const std::string exe = ExecutablePath();
        ini = exe.substr(0, exe.find_last_of('\\') + 1) + "arret.ini";
        DeleteFileW(Widen(ini).c_str());
        store.Open("arret.ini", {.exePath = exe});
        store.WriteText("Option", "Transparent", "42", false);
    }
    void TearDown() override { DeleteFileW(Widen(ini).c_str()); }
    bool SettingsOnDisk() {
        return GetFileAttributesW(Widen(ini).c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    // Collects every text the label shows until the window closes or the
    // request has been made, then presses "Annuler".
    void Watch(HWND w, std::function<void(HWND)> during = {}) {
        HWND label = GetDlgItem(w, kArreterLabelId);
        choiceAtStart =
            static_cast<int>(SendMessageW(GetDlgItem(w, kArreterChoixId), CB_GETCURSEL, 0, 0));
        forcedAtStart =
            SendMessageW(GetDlgItem(w, kArreterForcerId), BM_GETCHECK, 0, 0) == BST_CHECKED;
        caption = TextOf(w);
        if (during) during(w);
        WaitFor(
            [&] {
                const std::string t = TextOf(label);
                if (labels.empty() || labels.back() != t) labels.push_back(t);
                return shutdown.count.load() != 0;
            },
            5000);
        labels.push_back(TextOf(label));
        Click(GetDlgItem(w, IDCANCEL));
    }

    std::string ini;
    SettingsStore store;
    RecordingShutdown shutdown;
    std::vector<std::string> labels;
    std::string caption;
    int choiceAtStart = -1;
    bool forcedAtStart = false;
};

TEST_F(Countdown, RestartCountsDownThenSavesAndAsksForRebootForced) {
    TfrmArreter counted(shutdown, [&] { store.Flush(); });
    ModalDriver driver(kArreterClass, [&](HWND w) { Watch(w); });
    counted.ShowModal(nullptr, {.total = 4, .force = true, .restart = true, .tickMs = 150});
    driver.Join();
    ASSERT_TRUE(driver.found);

    EXPECT_EQ(caption, "Arrêter l'ordinateur");
    EXPECT_EQ(choiceAtStart, 1);
    EXPECT_TRUE(forcedAtStart);
    ASSERT_EQ(shutdown.requests, std::vector<unsigned>{2u + 4u});
    EXPECT_TRUE(SettingsOnDisk());
    // The seconds only go down, to zero, and stay at zero after the request;
    // the watcher may miss a tick on a busy machine, so only most are required.
    const std::string head = "L'ordinateur va effectuer l'opération suivante dans ";
    EXPECT_EQ(labels.front(), head + "4 secondes :");
    std::vector<int> seconds;
    for (size_t i = 1; i < labels.size(); ++i) {
        ASSERT_EQ(labels[i].rfind(head, 0), 0u) << labels[i];
        const std::string tail = " secondes : ";
        ASSERT_EQ(labels[i].substr(labels[i].size() - tail.size()), tail) << labels[i];
        seconds.push_back(std::stoi(labels[i].substr(head.size())));
    }
    ASSERT_GE(seconds.size(), 3u);
    for (size_t i = 1; i + 1 < seconds.size(); ++i)
        EXPECT_LT(seconds[i], seconds[i - 1]) << labels[i + 1];
    EXPECT_EQ(seconds.back(), 0);
    EXPECT_FALSE(IsWindow(counted.Handle()));
}

TEST_F(Countdown, ChoiceChangedToShutdownAndForceClearedOnTheWay) {
    TfrmArreter window(shutdown, [&] { store.Flush(); });
    ModalDriver driver(kArreterClass, [&](HWND w) {
        Watch(w, [](HWND w) {
            // What a user's choice sends: the selection, then the box.
            SendMessageW(GetDlgItem(w, kArreterChoixId), CB_SETCURSEL, 0, 0);
        });
    });
    window.ShowModal(nullptr, {.total = 2, .force = true, .restart = true, .tickMs = 150});
    driver.Join();
    ASSERT_TRUE(driver.found);
    EXPECT_EQ(shutdown.requests, std::vector<unsigned>{8u + 4u}); // power off, forced

    shutdown.count = 0;
    shutdown.requests.clear();
    ModalDriver again(kArreterClass, [&](HWND w) {
        Watch(w, [](HWND w) { Click(GetDlgItem(w, kArreterForcerId)); });
    });
    window.ShowModal(nullptr, {.total = 2, .force = true, .restart = false, .tickMs = 150});
    again.Join();
    EXPECT_EQ(shutdown.requests, std::vector<unsigned>{8u});
}

TEST_F(Countdown, CancelBeforeZeroRequestsNothingAndWritesNothing) {
    TfrmArreter window(shutdown, [&] { store.Flush(); });
    ModalDriver driver(kArreterClass, [&](HWND w) {
        // Cancel once the count has begun, well before zero.
        const std::string start = TextOf(GetDlgItem(w, kArreterLabelId));
        WaitFor([&] { return TextOf(GetDlgItem(w, kArreterLabelId)) != start; }, 3000);
        Click(GetDlgItem(w, IDCANCEL));
        // Without the cancel the count would end at 1 s; close it then so the test ends.
        if (!WaitFor([&] { return !IsWindow(w); }, 1500)) PostMessageW(w, WM_CLOSE, 0, 0);
    });
    window.ShowModal(nullptr, {.total = 10, .force = true, .restart = false, .tickMs = 100});
    driver.Join();
    ASSERT_TRUE(driver.found);
    EXPECT_TRUE(shutdown.requests.empty());
    EXPECT_FALSE(SettingsOnDisk());
}

} // namespace
