// The real program under faults: another process flooding the bar, the player
// killed or hung, the settings file killed mid-save, read-only or blocked.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <thread>
#include <vector>

#include "../bar/LinkedBar.h"
#include "PilotuneProcess.h"
#include "Simulator.h"
#include "schedule/Action.h"
#include "DialogDriving.h"
#include "Waiting.h"
#include "bar/BarLogic.h"
#include "base/EncodingWin32.h"
#include "player/Winamp.h"
#include "player/WinampWin32.h"
#include "settings/Option.h"
#include "settings/SettingsStore.h"

using namespace pilotune;
using namespace pilotune::testing;

namespace {

constexpr long long kPlay = 40045, kStop = 40047, kNext = 40048;

// A global atom value that names nothing (string atoms are 0xC000 and up).
WPARAM MissingAtom(std::mt19937& random) {
    for (;;) {
        const auto atom = static_cast<ATOM>(0xC000 + random() % 0x4000);
        wchar_t name[8];
        if (GlobalGetAtomNameW(atom, name, 8) == 0)
            return (static_cast<WPARAM>(random()) << 16) | atom;
    }
}

// The temporary file a save of the program running `bar` writes.
std::wstring TemporaryFile(const PilotuneProcess& app) {
    DWORD pid = 0;
    const DWORD tid = GetWindowThreadProcessId(app.Bar(), &pid);
    return app.Folder() + L"\\Pilotune.ini." + std::to_wstring(pid) + L"-" + std::to_wstring(tid) +
           L".tmp";
}

} // namespace

// Messages 1024 and 1025 with random values and atoms that do not exist,
// WM_COPYDATA records of every size: the bar survives, keeps answering, and
// runs only the actions the values name.
TEST(Flood, RandomMessagesRunNothingButWhatTheyName) {
    Simulator sim(Simulator::Options{.tracks = 5});
    PilotuneProcess app("fault-flood", SimulatorIni());
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(WaitFor([&] { return sim.User(104) == 1; }));
    ASSERT_GE(AnswerTime(app.Bar()), 0);
    sim.ClearLog();

    std::mt19937 random(1025);
    std::vector<long long> named; // the player commands the named actions give
    for (int i = 0; i < 3000; ++i) {
        const auto high = static_cast<WPARAM>(random()) << 8;
        switch (random() % 8) {
        case 0: // an action number beyond the catalogue, any high bits
        case 1:
            PostMessageW(app.Bar(), 1024, high | (kActionCount + random() % (256 - kActionCount)),
                         random());
            break;
        case 2: // a text whose atom does not exist
        case 3:
            PostMessageW(app.Bar(), 1025, MissingAtom(random), random());
            break;
        case 4: // EXECUTER waits for a text that never comes
            PostMessageW(app.Bar(), 1024, high | 2, 0);
            PostMessageW(app.Bar(), 1025, MissingAtom(random), 0);
            break;
        default:
            if (i % 100 == 0) { // now and then STOPPER or JOUER, high bits set
                const bool stop = (i / 100) % 2 == 0;
                PostMessageW(app.Bar(), 1024, high | (stop ? 6 : 4), random());
                named.push_back(stop ? kStop : kPlay);
            } else {
                PostMessageW(app.Bar(), 1024,
                             high | (kActionCount + random() % (256 - kActionCount)), 0);
            }
        }
        if (i % 500 == 0) EXPECT_GE(AnswerTime(app.Bar()), 0) << i;
    }
    // A real atom after an action beyond the catalogue: nothing runs either.
    PostMessageW(app.Bar(), 1024, 0xFF, 0);
    const ATOM text = GlobalAddAtomW(L"C:\\Windows\\notepad.exe");
    PostMessageW(app.Bar(), 1025, text, 0);

    // WM_COPYDATA of every size, and a few with no data at all.
    std::vector<unsigned char> bytes(1 << 20);
    for (auto& b : bytes)
        b = static_cast<unsigned char>(random());
    auto copy = [&](DWORD n) {
        COPYDATASTRUCT record{static_cast<ULONG_PTR>(random()), n, n ? bytes.data() : nullptr};
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(app.Bar(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&record),
                            SMTO_NORMAL, 3000, &ignored);
    };
    for (DWORD n = 0; n <= 300; ++n)
        copy(n);
    for (DWORD n = 512; n <= bytes.size(); n *= 2)
        copy(n - 1), copy(n);

    const long answer = AnswerTime(app.Bar());
    GlobalDeleteAtom(text);
    EXPECT_GE(answer, 0);
    EXPECT_LT(answer, 1000);
    EXPECT_TRUE(app.Alive());
    EXPECT_TRUE(IsWindowVisible(app.Bar()));
    // Posted messages run in order: once AVANCER, posted last, reached the
    // player, the flood has been handled.
    PostMessageW(app.Bar(), 1024, 7, 0);
    std::vector<long long> ran;
    ASSERT_TRUE(
        WaitFor([&] { return !(ran = sim.Commands()).empty() && ran.back() == kNext; }, 10000));
    ran.pop_back();
    // Only the named actions, never more of them than were posted.
    for (const long long command : ran)
        EXPECT_TRUE(command == kPlay || command == kStop) << command;
    EXPECT_LE(ran.size(), named.size());
    EXPECT_GE(ran.size(), named.size() * 9 / 10) << "named actions lost in the flood";
    EXPECT_GE(AnswerTime(app.Bar()), 0);
}

// In process: the bar's own tick against the real player, killed while the
// tick waits for its answer.
TEST(PlayerKilled, MidTickTheLinkReadsStoppedThenJouerFindsTheNewPlayer) {
    auto sim = std::make_unique<Simulator>(Simulator::Options{.play = true, .tracks = 5});
    LinkedBar linked;
    auto& [window, system, link, option, store, services, bar] = linked;
    linked.Start();
    bar.monitor.Tick();
    const std::string& title = bar.state.scene["lblTitreB"].text;
    ASSERT_FALSE(title.empty());
    ASSERT_FALSE(title.ends_with(" - Stop")) << title;

    sim->Hang(3000); // the tick's first query waits for the player...
    std::thread killer([&] {
        Sleep(300);
        sim->Kill(); // ...which dies meanwhile
    });
    const ULONGLONG start = GetTickCount64();
    bar.monitor.Tick();
    const ULONGLONG tickMs = GetTickCount64() - start;
    killer.join();
    EXPECT_LT(tickMs, 1500u);
    for (int i = 0; i < 3; ++i)
        bar.monitor.Tick();
    // The link reads the dead player as stopped, at once, and says so to the title.
    const ULONGLONG dead = GetTickCount64();
    EXPECT_EQ(link.Etat(), PlayerState::Stopped);
    EXPECT_EQ(link.TexteEtat(), " - Stop");
    EXPECT_EQ(link.Titre(), "");
    EXPECT_EQ(link.Position(), 0);
    EXPECT_EQ(link.Duree(), 0);
    EXPECT_EQ(link.NumeroTitre(), 1);
    EXPECT_FALSE(link.EstLance());
    EXPECT_LT(GetTickCount64() - dead, 1000u);

    // The player is back: the old handle reaches nothing until JOUER.
    sim = std::make_unique<Simulator>(Simulator::Options{.tracks = 5});
    sim->ClearLog();
    bar.monitor.Tick();
    EXPECT_TRUE(sim->Commands().empty());
    EXPECT_EQ(link.Etat(), PlayerState::Stopped);
    bar.dispatcher.ExecuterAction(JOUER, false, "");
    EXPECT_EQ(sim->User(104), 1);
    bar.monitor.Tick();
    EXPECT_FALSE(title.ends_with(" - Stop")) << title;
}

// The real program. The player stops answering for ten seconds: the bar keeps
// repainting and answering the mouse, no call of the bar blocks for more than
// about a second. Then the player is killed, restarted and reached again
// through a second start with JOUER; meanwhile the program runs on and answers.
TEST(PlayerFaults, TheBarAnswersThroughAHungPlayerAndASecondStartReconnectsToANewOne) {
    auto sim = std::make_unique<Simulator>(Simulator::Options{.play = true, .tracks = 5});
    PilotuneProcess app("fault-player", SimulatorIni());
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(WaitFor([&] { return sim->User(104) == 1; }));

    sim->Hang(10000);
    const ULONGLONG end = GetTickCount64() + 10500;
    long worst = 0;
    int asked = 0, failed = 0;
    for (; GetTickCount64() < end; ++asked, Sleep(50)) {
        RedrawWindow(app.Bar(), nullptr, nullptr, RDW_INVALIDATE);
        const long move = AnswerTime(app.Bar(), WM_MOUSEMOVE, 0, MAKELPARAM(200 + asked % 50, 12));
        const long null = AnswerTime(app.Bar());
        failed += move < 0 || null < 0;
        worst = std::max({worst, move, null});
    }
    EXPECT_EQ(failed, 0);
    EXPECT_LT(worst, 1300) << "over " << asked << " questions";
    EXPECT_GT(asked, 40);
    RecordProperty("worst_answer_ms", static_cast<int>(worst));
    std::printf("worst answer of the bar while the player hung: %ld ms over %d questions\n", worst,
                asked);
    EXPECT_TRUE(app.Alive());
    // Once the player answers again, so does the program's link.
    ASSERT_TRUE(WaitFor([&] { return sim->User(104) == 1; }, 3000));

    for (int round = 0; round < 2; ++round) {
        sim->Hang(2000);
        Sleep(round == 0 ? 250 : 600); // inside one tick, then inside another
        sim->Kill();
        worst = 0;
        for (int i = 0; i < 10; ++i, Sleep(100))
            worst = std::max(worst, AnswerTime(app.Bar()));
        EXPECT_TRUE(app.Alive());
        EXPECT_GE(worst, 0);
        EXPECT_LT(worst, 1500);
        sim = std::make_unique<Simulator>(Simulator::Options{.tracks = 5});
        EXPECT_EQ(app.RunSecond(round == 0 ? L"JOUER" : L"LANCERWINAMP JOUER"), 0u);
        EXPECT_TRUE(WaitFor([&] { return sim->User(104) == 1; })) << "round " << round;
        EXPECT_EQ(sim->Commands(), std::vector<long long>{kPlay});
    }
}

TEST(SettingsFaults, KilledDuringSavesTheFileIsAlwaysTheOldOrTheNewOneWhole) {
    Simulator sim(Simulator::Options{.tracks = 5});
    // Big enough that a save takes a while: many keys the program keeps as read.
    std::string old = SimulatorIni() + "[Archives]\r\n";
    for (int i = 0; i < 20000; ++i)
        old += "Cle " + std::to_string(i) + "=valeur numero " + std::to_string(i * 7) + "\r\n";

    // The new file, as one whole save writes it.
    std::string whole;
    {
        PilotuneProcess app("fault-save", old);
        ASSERT_TRUE(app.Start());
        DWORD_PTR answer = 0; // the end of the Windows session: allowed, then the save
        ASSERT_TRUE(
            SendMessageTimeoutW(app.Bar(), WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 3000, &answer));
        EXPECT_TRUE(answer);
        EXPECT_GE(AnswerTime(app.Bar(), WM_ENDSESSION, TRUE), 0);
        app.Kill(); // Windows ends the process without any further message
        whole = app.Ini();
    }
    ASSERT_NE(whole, old);
    ASSERT_NE(whole.find("NbOuvert=2"), std::string::npos);
    ASSERT_NE(whole.find("PositionLeft=450"), std::string::npos);
    ASSERT_NE(whole.find("Cle 19999=valeur numero 139993"), std::string::npos);

    std::mt19937 random(20240607);
    int olds = 0, news = 0, cut = 0;
    for (int round = 0; round < 8; ++round) {
        PilotuneProcess app("fault-save", old);
        ASSERT_TRUE(app.Start());
        const std::wstring temp = TemporaryFile(app);
        for (int i = 0; i < 40; ++i) // saves on the end of the session, not waited for
            PostMessageW(app.Bar(), WM_ENDSESSION, TRUE, 0);
        Sleep(std::uniform_int_distribution<int>(0, 60)(random));
        app.Kill();
        const std::string now = app.Ini();
        cut += GetFileAttributesW(temp.c_str()) != INVALID_FILE_ATTRIBUTES; // killed mid-write
        if (now == old) {
            ++olds;
        } else {
            ASSERT_EQ(now.size(), whole.size()) << "round " << round;
            ASSERT_TRUE(now == whole) << "round " << round;
            ++news;
        }
    }
    std::printf("killed during saves: %d old files, %d new files, none torn; %d kills left a "
                "half-written temporary file\n",
                olds, news, cut);
}

// A read-only file, then a folder that takes no new file while another
// program holds the file: the user is told, the file is kept, and the close
// saves what was held.
TEST(SettingsFaults, AFileThatCannotBeReplacedIsKeptAndTheSettingsWaitInMemory) {
    Simulator sim(Simulator::Options{.tracks = 5});
    const std::string old = SimulatorIni();
    for (const bool readOnly : {true, false}) {
        PilotuneProcess app("fault-nosave", old);
        const std::wstring file = app.Folder() + L"\\Pilotune.ini";
        if (readOnly) ASSERT_TRUE(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY));
        ASSERT_TRUE(app.Start());
        const std::wstring blocker = TemporaryFile(app);
        if (!readOnly) ASSERT_TRUE(CreateDirectoryW(blocker.c_str(), nullptr));
        HANDLE held = readOnly ? INVALID_HANDLE_VALUE
                               : CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                             OPEN_EXISTING, 0, nullptr);

        std::string text;
        std::thread reader([&] { text = ReadAndCloseMessageBox(6000); });
        PostMessageW(app.Bar(), WM_ENDSESSION, TRUE, 0);
        reader.join();
        EXPECT_TRUE(
            text.starts_with("Les paramètres n'ont pas pu être enregistrés dans le fichier « "))
            << text;
        EXPECT_TRUE(text.ends_with(readOnly ? "Pilotune.ini » : le fichier est en lecture seule."
                                            : " : impossible de remplacer l'ancien fichier "
                                              "(fichier protégé ou utilisé par un autre "
                                              "programme)."))
            << text;
        EXPECT_EQ(app.Ini(), old);
        EXPECT_TRUE(app.Alive());

        SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
        RemoveDirectoryW(blocker.c_str());
        PostMessageW(app.Bar(), WM_CLOSE, 0, 0);
        ASSERT_TRUE(app.WaitExit(8000));
        EXPECT_NE(app.Ini().find("NbOuvert=2"), std::string::npos) << app.Ini();
    }
}

TEST(SettingsFaults, AOneTimeEntryThatRanIsNotRunAgainAfterTheProgramIsKilled) {
    Simulator sim(Simulator::Options{.tracks = 5});
    // "Titre suivant" once, one second after the start.
    const std::string plan = "[" + TestUserName() +
                             " Planification]\r\nActiver=1\r\nNbListe=1\r\nAction 0=7\r\n"
                             "Comment 0=1\r\nPeriode 0=0\r\nQuand 0=1\r\nEffectuer 0=0\r\n";
    auto nexts = [&] { return std::ranges::count(sim.Commands(), kNext); };
    std::string afterKill;
    {
        PilotuneProcess app("fault-done", SimulatorIni() + plan);
        ASSERT_TRUE(app.Start());
        ASSERT_TRUE(WaitFor([&] { return nexts() == 1; }, 8000));
        app.Kill(); // no save at the end
        afterKill = app.Ini();
    }
    EXPECT_EQ(afterKill.find("Effectuer 0=0\r\n"), std::string::npos) << afterKill;
    EXPECT_NE(afterKill.find("Effectuer 0="), std::string::npos) << afterKill;

    sim.ClearLog();
    PilotuneProcess again("fault-done", afterKill);
    ASSERT_TRUE(again.Start());
    EXPECT_FALSE(WaitFor([&] { return nexts() > 0; }, 4000)) << "the entry ran again";
}
