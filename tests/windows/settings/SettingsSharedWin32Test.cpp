// The program's settings store on a file shared by several users, with the
// real code page, the user's real short date format and the Win32 saves.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "schedule/Planification.h"
#include "base/EncodingWin32.h"
#include "base/PathsWin32.h"
#include "base/UserNameWin32.h"
#include "settings/SettingsFilesWin32.h"
#include "settings/SettingsWin32.h"

using namespace pilotune;
namespace fs = std::filesystem;

namespace {

std::string Folder() {
    const std::string exe = ExecutablePath();
    return exe.substr(0, exe.find_last_of('\\') + 1);
}

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

SettingsStore::Environment UserEnvironment(const std::string& user) {
    SettingsStore::Environment env = ProgramEnvironment();
    env.userName = user;
    return env;
}

// The user's short date format for one test, put back after it.
class ShortDateFormat {
  public:
    explicit ShortDateFormat(const wchar_t* pattern) {
        GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, old_, 80);
        ok_ = SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, pattern);
    }
    ~ShortDateFormat() { SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, old_); }
    bool Ok() const { return ok_; }

  private:
    wchar_t old_[80] = L"";
    bool ok_ = false;
};

std::wstring RegistryShortDate() {
    wchar_t value[80] = L"";
    DWORD size = sizeof value;
    RegGetValueW(HKEY_CURRENT_USER, L"Control Panel\\International", L"sShortDate", RRF_RT_REG_SZ,
                 nullptr, value, &size);
    return value;
}

class FixedClock final : public ScheduleClock {
  public:
    ClockReading Read() override { return {45446, 43200, 1}; } // Monday 3 June 2024, noon
};

} // namespace

TEST(SettingsWin32Shared, AUserNameOutsideTheCodePageKeepsItsSettingsAcrossRestarts) {
    const std::string file = Folder() + "partage-nom.ini";
    DeleteFileW(Widen(file).c_str());
    for (int session = 1; session <= 3; ++session) {
        SettingsStore store;
        store.Open("partage-nom.ini", UserEnvironment("Łukasz"));
        EXPECT_EQ(store.ReadInteger("Option", "NbOuvert", 0, true), session - 1);
        store.WriteInteger("Option", "NbOuvert", session, true);
        store.WriteText("Programme Łódź", "ProgNb", "2", true);
        ASSERT_TRUE(store.Close().ok);
    }
    const std::string bytes = Bytes(file);
    EXPECT_EQ(Count(bytes, "[" + Ansi(L"\u0141ukasz Option") + "]"), 1u) << bytes;
    EXPECT_EQ(Count(bytes, "[" + Ansi(L"\u0141ukasz Programme \u0141\u00F3d\u017A") + "]"), 1u)
        << bytes;
    SettingsStore store;
    store.Open("partage-nom.ini", UserEnvironment("Łukasz"));
    EXPECT_EQ(store.ReadInteger("Programme Łódź", "ProgNb", 0, true), 2);
    store.Close();
    DeleteFileW(Widen(file).c_str());
}

TEST(SettingsWin32Shared, AnArmedEntryStaysArmedWithATwoDigitYearShortDate) {
    ShortDateFormat format(L"dd/MM/yy");
    ASSERT_TRUE(format.Ok());
    ASSERT_EQ(RegistryShortDate(), L"dd/MM/yy");
    const LocaleDateCodec dates;
    ASSERT_EQ(dates.Format(45446), "03/06/24");
    EXPECT_EQ(dates.Parse("03/06/24"), 45446);

    const std::string file = Folder() + "partage-dates.ini";
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
    const std::string path = Folder() + "partage-version.ini";
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
    const std::string path = Folder() + "partage-remplace.ini";
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
    for (const auto& entry : fs::directory_iterator(fs::path(Widen(Folder()))))
        EXPECT_FALSE(entry.path().filename().wstring().starts_with(L"partage-remplace.ini."))
            << entry.path().string();
    DeleteFileW(Widen(path).c_str());
}

TEST(SettingsWin32Shared, TwoUsersSavingAtTheSameMomentKeepEachOthersSettings) {
    const std::string file = Folder() + "partage-deux.ini";
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
    for (const auto& entry : fs::directory_iterator(fs::path(Widen(Folder()))))
        EXPECT_FALSE(entry.path().filename().wstring().starts_with(L"partage-deux.ini."))
            << entry.path().string();
    SettingsStore reader;
    reader.Open("partage-deux.ini", UserEnvironment("alice"));
    EXPECT_EQ(reader.ReadInteger("Option", "N", 0, true), kSaves);
    EXPECT_EQ(reader.ReadInteger("bob Option", "N", 0, false), kSaves);
    reader.Close();
    DeleteFileW(Widen(file).c_str());
}
