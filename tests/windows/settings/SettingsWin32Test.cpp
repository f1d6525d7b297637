// The program's settings store on real files: beside the program, in the real
// code page and the user's real short date format, shared by several users,
// with the Win32 saves.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "RecordingMessages.h"
#include "ShortDateFormat.h"
#include "schedule/Planification.h"
#include "base/EncodingWin32.h"
#include "base/PathsWin32.h"
#include "base/UserNameWin32.h"
#include "settings/Option.h"
#include "settings/SettingsFilesWin32.h"
#include "settings/SettingsWin32.h"

using namespace pilotune;
using pilotune::testing::ShortDateFormat;
namespace fs = std::filesystem;

namespace {

std::string Bytes(const std::string& path) {
    std::ifstream in(fs::path(Widen(path)), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::size_t Count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

// The bytes the ANSI code page gives `text`, as the file holds it.
std::string Ansi(const std::wstring& text) {
    const int n = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                      nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n,
                        nullptr, nullptr);
    return out;
}

// No temporary file of the saves of `name` is left beside it.
void ExpectNoTemporaryLeft(const std::string& name) {
    for (const auto& entry : fs::directory_iterator(fs::path(Widen(ProgramFolder()))))
        EXPECT_FALSE(entry.path().filename().wstring().starts_with(Widen(name + ".")))
            << entry.path().string();
}

SettingsStore::Environment UserEnvironment(const std::string& user) {
    SettingsStore::Environment env = ProgramEnvironment();
    env.userName = user;
    return env;
}

// Sets or clears the host's immutable flag of a folder (its files stay writable).
bool Immutable(const std::string& folder, bool on) {
    std::wstring command = L"chattr " + std::wstring(on ? L"+i " : L"-i ") + Widen(folder);
    std::replace(command.begin(), command.end(), L'\\', L'/');
    STARTUPINFOW startup{sizeof startup};
    PROCESS_INFORMATION run{};
    if (!folder.starts_with("Z:\\") ||
        !CreateProcessW(L"Z:\\usr\\bin\\chattr",
                        command.replace(command.find(L"Z:"), 2, L"").data(), nullptr, nullptr,
                        FALSE, 0, nullptr, nullptr, &startup, &run))
        return false;
    WaitForSingleObject(run.hProcess, 10000);
    CloseHandle(run.hProcess);
    CloseHandle(run.hThread);
    const std::wstring probe = Widen(folder + "essai.tmp");
    for (const ULONGLONG until = GetTickCount64() + 5000; GetTickCount64() < until;) {
        HANDLE h = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
        if ((h == INVALID_HANDLE_VALUE) == on) return true;
    }
    return false;
}

// An empty file in the program's folder last written `minutesAgo`.
HANDLE MakeFile(const std::string& name, long long minutesAgo, bool keepOpen = false) {
    HANDLE h = CreateFileW(Widen(ProgramFolder() + name).c_str(), GENERIC_WRITE, 0, nullptr,
                           CREATE_ALWAYS, 0, nullptr);
    FILETIME t{};
    GetSystemTimeAsFileTime(&t);
    const ULONGLONG at =
        ((ULONGLONG{t.dwHighDateTime} << 32) | t.dwLowDateTime) - minutesAgo * 600000000;
    t = {static_cast<DWORD>(at), static_cast<DWORD>(at >> 32)};
    SetFileTime(h, nullptr, nullptr, &t);
    if (!keepOpen) CloseHandle(h);
    return h;
}

class FixedClock final : public ScheduleClock {
  public:
    ClockReading Read() override { return {45446, 43200, 1}; } // Monday 3 June 2024, noon
};

} // namespace

TEST(SettingsWin32, ProgramStoreLivesBesideTheExeInTheUsersSections) {
    const std::string exe = ExecutablePath();
    ASSERT_FALSE(exe.empty());
    EXPECT_TRUE(fs::exists(fs::path(Widen(exe))));
    const std::string user = UserName();

    const std::string expected = exe.substr(0, exe.size() - 4) + ".ini";
    DeleteFileW(Widen(expected).c_str());
    SettingsStore store;
    OpenProgramSettings(store);
    EXPECT_EQ(store.Path(), expected);
    EXPECT_EQ(store.UserName(), user);
    COption options;
    options.NbBoucle = 5;
    options.Save(store);
    store.WriteText("Option", "Dernière", "Été à Noël, cœur", true);
    ASSERT_TRUE(store.Close().ok);

    const std::string bytes = Bytes(expected);
    EXPECT_NE(bytes.find(Ansi(L"[" + Widen(user) + L" Option]\r\nNbBoucle=5\r\n")),
              std::string::npos);
    EXPECT_NE(bytes.find(Ansi(L"Derni\u00E8re=\u00C9t\u00E9 \u00E0 No\u00EBl, c\u0153ur\r\n")),
              std::string::npos);

    SettingsStore again;
    OpenProgramSettings(again);
    EXPECT_EQ(again.ReadText("Option", "DERNIÈRE", "", true), "Été à Noël, cœur");
    COption loaded;
    loaded.Load(again, nullptr);
    EXPECT_EQ(loaded.NbBoucle, 5);
    again.Close();
    DeleteFileW(Widen(expected).c_str());
}

TEST(SettingsWin32, LocaleDatesRoundTrip) {
    const LocaleDateCodec dates;
    wchar_t expected[64];
    SYSTEMTIME st{};
    st.wYear = 2024, st.wMonth = 3, st.wDay = 1;
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, expected, 64);
    EXPECT_EQ(dates.Format(45352), Narrow(expected));
    for (int day : {0, 1, 60, 61, 36526, 45351, 45352, 45657, 73050})
        EXPECT_EQ(dates.Parse(dates.Format(day)), day) << dates.Format(day);
    for (const char* text : {"0", "", "pas une date", "99/99/2024"})
        EXPECT_FALSE(dates.Parse(text).has_value()) << text;
}

TEST(SettingsWin32, ASaveKeepsTheFileAttributesAndWritesInPlaceWhenTheFolderTakesNoNewFile) {
    const std::string folder = ProgramFolder() + "verrou\\", path = folder + "Pilotune.ini";
    CreateDirectoryW(Widen(folder).c_str(), nullptr);
    std::ofstream(fs::path(Widen(path)), std::ios::binary) << "[x Option]\r\nA=1\r\n; note\r\n";
    constexpr DWORD kHidden = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    SetFileAttributesW(Widen(path).c_str(), kHidden);
    SettingsStore store;
    store.Open(path, UserEnvironment("x"));
    store.WriteInteger("Option", "A", 2, true);
    ASSERT_TRUE(store.Flush().ok);
    EXPECT_EQ(GetFileAttributesW(Widen(path).c_str()) & kHidden, kHidden);

    const bool immutable = Immutable(folder, true);
    store.WriteInteger("Option", "A", 3, true);
    const SaveResult saved = store.Flush();
    Immutable(folder, false);
    if (immutable) EXPECT_TRUE(saved.ok && Bytes(path) == "[x Option]\r\nA=3\r\n; note\r\n");
    store.Close();
    fs::remove_all(fs::path(Widen(folder)));
    if (!immutable) GTEST_SKIP() << "no immutable folder here: the save in place is not tried";
}

TEST(SettingsWin32, TheNextStartRemovesOnlyTheTemporaryFilesOfKilledSaves) {
    // A killed save's, a save still writing, one between write and rename, a
    // name no save gives, another file's save.
    const char* names[] = {"reste.ini.4242-17.tmp", "reste.ini.4243-18.tmp",
                           "reste.ini.4244-19.tmp", "reste.ini.copie.tmp", "autre.ini.4245-20.tmp"};
    HANDLE writing = MakeFile(names[1], 60, true);
    for (const char* name : {names[0], names[3], names[4]})
        MakeFile(name, 60);
    MakeFile(names[2], 0);
    SettingsStore store;
    store.Open("reste.ini", ProgramEnvironment());
    CloseHandle(writing);
    for (const char* name : names) {
        const std::wstring file = Widen(ProgramFolder() + name);
        EXPECT_EQ(GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES, name == names[0]);
        DeleteFileW(file.c_str());
    }
}

TEST(SettingsWin32, FailedSaveTellsTheUserAndKeepsTheOldFile) {
    pilotune::testing::RecordingMessages messages;
    const std::string path = ProgramFolder() + "protégé.ini";
    const std::wstring wpath = Widen(path);
    std::ofstream(fs::path(wpath), std::ios::binary) << "[x Option]\r\nNbBoucle=3\r\n";

    SettingsStore store;
    store.Open("protégé.ini", ProgramEnvironment());
    store.WriteInteger("Option", "NbBoucle", 8, true);

    // The file held open by another program without sharing.
    HANDLE h = CreateFileW(wpath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(FlushOrWarn(store));
    CloseHandle(h);
    ASSERT_EQ(messages.errors.size(), 1u);
    EXPECT_EQ(messages.errors[0].rfind("Les paramètres n'ont pas pu être enregistrés dans le "
                                       "fichier « " +
                                           path + " » : ",
                                       0),
              0u);
    EXPECT_EQ(Bytes(path), "[x Option]\r\nNbBoucle=3\r\n");
    EXPECT_EQ(GetFileAttributesW(Widen(path + "." + std::to_string(GetCurrentProcessId()) + "-" +
                                       std::to_string(GetCurrentThreadId()) + ".tmp")
                                     .c_str()),
              INVALID_FILE_ATTRIBUTES);

    // Once free again, the save goes through without a message.
    EXPECT_TRUE(FlushOrWarn(store));
    EXPECT_EQ(messages.errors.size(), 1u);
    EXPECT_NE(Bytes(path).find("NbBoucle=8"), std::string::npos);
    store.Close();
    DeleteFileW(wpath.c_str());
}

// Two users whose names the code page turns into the same "????".
TEST(SettingsWin32Shared, UserNamesOutsideTheCodePageKeepTheirOwnSettingsAcrossRestarts) {
    const std::string file = ProgramFolder() + "partage-nom.ini";
    DeleteFileW(Widen(file).c_str());
    for (int session = 1; session <= 3; ++session) {
        for (const char* user : {"Иван", "Олег"}) {
            SettingsStore store;
            store.Open("partage-nom.ini", UserEnvironment(user));
            EXPECT_EQ(store.ReadInteger("Option", "NbOuvert", 0, true), session - 1) << user;
            EXPECT_EQ(store.ReadText("Programme Łódź", "ProgNb", user, true), user);
            store.WriteInteger("Option", "NbOuvert", session, true);
            store.WriteText("Programme Łódź", "ProgNb", user, true);
            ASSERT_TRUE(store.Close().ok);
        }
    }
    const std::string bytes = Bytes(file);
    EXPECT_TRUE(bytes.starts_with("\xEF\xBB\xBF")) << bytes;
    EXPECT_EQ(Count(bytes, "[Иван Option]"), 1u) << bytes;
    EXPECT_EQ(Count(bytes, "[Олег Programme Łódź]"), 1u) << bytes;
    DeleteFileW(Widen(file).c_str());
}

TEST(SettingsWin32Shared, AnArmedEntryStaysArmedWithATwoDigitYearShortDate) {
    ShortDateFormat format(L"dd/MM/yy");
    const LocaleDateCodec dates;
    ASSERT_EQ(dates.Format(45446), "03/06/24");

    const std::string file = ProgramFolder() + "partage-dates.ini";
    // What an older save wrote for "not done" in this format.
    std::ofstream(fs::path(Widen(file)), std::ios::binary | std::ios::trunc)
        << "[" << Ansi(Widen(UserName())) << " Planification]\r\nActiver=1\r\nNbListe=2\r\n"
        << "Action 0=7\r\nComment 0=1\r\nQuand 0=0\r\nEffectuer 0=" << dates.Format(0) << "\r\n"
        << "Action 1=8\r\nComment 1=1\r\nQuand 1=5\r\nEffectuer 1=0\r\n";
    FixedClock clock;
    std::vector<int> ran;
    for (int start = 0; start < 3; ++start) {
        SettingsStore store;
        store.Open("partage-dates.ini", ProgramEnvironment());
        CPlanification plan(store, clock,
                            [&](int action, const std::string&) { ran.push_back(action); });
        plan.Load();
        ASSERT_EQ(plan.Count(), 2);
        EXPECT_EQ(plan.Entries()[1].Effectuer, 0) << "start " << start;
        if (start == 0) {
            EXPECT_EQ(plan.Entries()[0].Effectuer, 0);
            plan.Evaluate(true); // entry 0 runs; entry 1 is saved not done
        }
        ASSERT_TRUE(store.Close().ok);
    }
    EXPECT_EQ(ran, std::vector<int>{7});
    const std::string bytes = Bytes(file);
    EXPECT_NE(bytes.find("Effectuer 0=03/06/24\r\n"), std::string::npos) << bytes;
    EXPECT_NE(bytes.find("Effectuer 1=0\r\n"), std::string::npos) << bytes;
    DeleteFileW(Widen(file).c_str());
}

// A save knows the version it put in place, and a read the version it read:
// the next save then knows whether another session saved meanwhile.
TEST(SettingsWin32Shared, TheVersionOfTheFileIsKnownAfterASaveAndAfterARead) {
    const Win32SettingsFiles files;
    const std::string path = ProgramFolder() + "partage-version.ini";
    DeleteFileW(Widen(path).c_str());
    EXPECT_FALSE(files.Stamp(path).exists);
    const FileReplace first = files.Replace(path, "[a]\r\nA=1\r\n", nullptr);
    ASSERT_TRUE(first.ok) << first.reason;
    EXPECT_TRUE(first.written.exists);
    EXPECT_EQ(files.Stamp(path), first.written);
    EXPECT_EQ(files.Read(path).stamp, first.written);
    // Same size, saved right after: still another version.
    const FileReplace second = files.Replace(path, "[a]\r\nA=2\r\n", &first.written);
    ASSERT_TRUE(second.ok) << second.reason;
    EXPECT_NE(second.written, first.written);
    EXPECT_EQ(files.Stamp(path), second.written);
    // A save that expects a version the file no longer has replaces nothing.
    const FileReplace stale = files.Replace(path, "[a]\r\nA=3\r\n", &first.written);
    EXPECT_FALSE(stale.ok);
    EXPECT_TRUE(stale.conflict);
    EXPECT_EQ(Bytes(path), "[a]\r\nA=2\r\n");
    DeleteFileW(Widen(path).c_str());
}

TEST(SettingsWin32Shared, ReplacesAtTheSameMomentEachUseTheirOwnTemporaryFile) {
    const Win32SettingsFiles files;
    const std::string path = ProgramFolder() + "partage-remplace.ini";
    const std::string contents[2] = {std::string(50000, 'a'), std::string(70000, 'b')};
    int failures[2] = {0, 0};
    std::string reasons[2];
    auto writer = [&](int who) {
        for (int i = 0; i < 100; ++i) {
            const FileReplace r = files.Replace(path, contents[who], nullptr);
            if (!r.ok) ++failures[who], reasons[who] = r.reason;
        }
    };
    std::thread a(writer, 0), b(writer, 1);
    a.join();
    b.join();
    EXPECT_EQ(failures[0], 0) << reasons[0];
    EXPECT_EQ(failures[1], 0) << reasons[1];
    const std::string last = Bytes(path);
    EXPECT_TRUE(last == contents[0] || last == contents[1]) << last.size();
    ExpectNoTemporaryLeft("partage-remplace.ini");
    DeleteFileW(Widen(path).c_str());
}

TEST(SettingsWin32Shared, TwoUsersSavingAtTheSameMomentKeepEachOthersSettings) {
    const std::string file = ProgramFolder() + "partage-deux.ini";
    DeleteFileW(Widen(file).c_str());
    constexpr int kSaves = 60;
    int failures[2] = {0, 0};
    std::string reasons[2];
    auto session = [&](int who, const char* user) {
        SettingsStore store;
        store.Open("partage-deux.ini", UserEnvironment(user));
        for (int i = 1; i <= kSaves; ++i) {
            store.WriteInteger("Option", "N", i, true);
            const SaveResult r = store.Flush();
            if (!r.ok) ++failures[who], reasons[who] = r.reason;
        }
        store.Close();
    };
    std::thread a(session, 0, "alice");
    std::thread b(session, 1, "bob");
    a.join();
    b.join();
    EXPECT_EQ(failures[0], 0) << reasons[0];
    EXPECT_EQ(failures[1], 0) << reasons[1];
    ExpectNoTemporaryLeft("partage-deux.ini");
    SettingsStore reader;
    reader.Open("partage-deux.ini", UserEnvironment("alice"));
    EXPECT_EQ(reader.ReadInteger("Option", "N", 0, true), kSaves);
    EXPECT_EQ(reader.ReadInteger("bob Option", "N", 0, false), kSaves);
    reader.Close();
    DeleteFileW(Widen(file).c_str());
}
