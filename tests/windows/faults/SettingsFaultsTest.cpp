// The settings file under faults: the program killed while it saves, a
// read-only file, a folder where the new file cannot be made.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <thread>

#include "FaultHelpers.h"

using namespace pilotune::testing;

namespace {

// Big enough that a save takes a while: many keys the program keeps as read.
std::string BigIni() {
    std::string ini = SimulatorIni();
    ini += "[Archives]\r\n";
    for (int i = 0; i < 20000; ++i)
        ini += "Cle " + std::to_string(i) + "=valeur numéro " + std::to_string(i * 7) + "\r\n";
    return ini;
}

// The program's own save on the end of the Windows session, as many times as
// asked, without waiting.
void PostSaves(HWND bar, int times) {
    for (int i = 0; i < times; ++i)
        PostMessageW(bar, WM_ENDSESSION, TRUE, 0);
}

// The temporary file a save of the program running `bar` writes.
std::wstring TemporaryFile(const PilotuneProcess& app) {
    DWORD pid = 0;
    const DWORD tid = GetWindowThreadProcessId(app.Bar(), &pid);
    return app.Folder() + L"\\Pilotune.ini." + std::to_wstring(pid) + L"-" + std::to_wstring(tid) +
           L".tmp";
}

} // namespace

TEST(SettingsFaults, KilledDuringSavesTheFileIsAlwaysTheOldOrTheNewOneWhole) {
    Simulator sim(Simulator::Options{.tracks = 5});
    const std::string old = BigIni();

    // The new file, as one whole save writes it.
    std::string whole;
    {
        PilotuneProcess app("fault-save", old);
        ASSERT_TRUE(app.Start());
        EXPECT_GE(AnswerTime(app.Bar(), WM_ENDSESSION, TRUE), 0);
        app.Kill();
        whole = app.Ini();
    }
    ASSERT_NE(whole, old);
    ASSERT_NE(whole.find("NbOuvert=2"), std::string::npos);
    ASSERT_NE(whole.find("Cle 19999=valeur numéro 139993"), std::string::npos);

    std::mt19937 random(20240607);
    int olds = 0, news = 0, cut = 0;
    for (int round = 0; round < 8; ++round) {
        PilotuneProcess app("fault-save", old);
        ASSERT_TRUE(app.Start());
        const std::wstring temp = TemporaryFile(app);
        PostSaves(app.Bar(), 40);
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

// A read-only file, then a folder where the save's new file should be made:
// the user is told, the file is kept, and the close saves what was held.
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

        std::wstring text;
        std::thread reader([&] { text = ReadMessageBox(6000); });
        PostSaves(app.Bar(), 1);
        reader.join();
        EXPECT_TRUE(
            text.starts_with(L"Les paramètres n'ont pas pu être enregistrés dans le fichier « "))
            << NarrowPath(text);
        EXPECT_TRUE(text.ends_with(readOnly ? L"Pilotune.ini » : le fichier est en lecture seule."
                                            : L" : impossible de créer un fichier dans son "
                                              L"dossier (dossier absent ou protégé en écriture)."))
            << NarrowPath(text);
        EXPECT_EQ(app.Ini(), old);
        EXPECT_TRUE(app.Alive());

        SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
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
    constexpr long long kNext = 40048;
    auto nexts = [&] {
        const auto commands = Commands(sim);
        return std::count(commands.begin(), commands.end(), kNext);
    };
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
