#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "RecordingMessages.h"
#include "base/EncodingWin32.h"
#include "base/PathsWin32.h"
#include "base/UserNameWin32.h"
#include "settings/Option.h"
#include "settings/SettingsWin32.h"

using namespace pilotune;
namespace fs = std::filesystem;

namespace {

fs::path U8(const std::string& s) {
    return fs::path(std::u8string(reinterpret_cast<const char8_t*>(s.data()), s.size()));
}

std::string Bytes(const std::string& path) {
    std::ifstream in(U8(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::string Ansi(const std::wstring& text) {
    const int n = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                      nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n,
                        nullptr, nullptr);
    return out;
}

} // namespace

TEST(SettingsWin32, ProgramStoreLivesBesideTheExeInTheUsersSections) {
    const std::string exe = ExecutablePath();
    ASSERT_FALSE(exe.empty());
    EXPECT_TRUE(fs::exists(U8(exe)));
    const std::string user = UserName();
    EXPECT_FALSE(user.empty());
    wchar_t name[257];
    DWORD size = 257;
    ASSERT_TRUE(GetUserNameW(name, &size));
    EXPECT_EQ(user, Narrow(name));

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
    if (GetACP() == 1252) EXPECT_NE(bytes.find("Derni\xE8re=\xC9t\xE9"), std::string::npos);

    SettingsStore again;
    OpenProgramSettings(again);
    EXPECT_EQ(again.ReadText("Option", "DERNIÈRE", "", true), "Été à Noël, cœur");
    COption loaded;
    loaded.Load(again, nullptr);
    EXPECT_EQ(loaded.NbBoucle, 5);
    again.Close();
    DeleteFileW(Widen(expected).c_str());
}

TEST(SettingsWin32, AccentedFolderAndFileNamesWork) {
    const std::string exe = ExecutablePath();
    const std::string folder = exe.substr(0, exe.find_last_of('\\') + 1) + "Réglages été";
    fs::remove_all(U8(folder));
    ASSERT_TRUE(CreateDirectoryW(Widen(folder).c_str(), nullptr));
    SettingsStore store;
    store.Open("Réglages été\\pilote à.ini", ProgramEnvironment());
    EXPECT_EQ(store.Path(), folder + "\\pilote à.ini");
    store.WriteInteger("Option", "NbExtrait", 33, true);
    ASSERT_TRUE(store.Close().ok);
    EXPECT_NE(GetFileAttributesW(Widen(folder + "\\pilote à.ini").c_str()),
              INVALID_FILE_ATTRIBUTES);
    SettingsStore again;
    again.Open("Réglages été\\pilote à.ini", ProgramEnvironment());
    EXPECT_EQ(again.ReadInteger("Option", "NbExtrait", 0, true), 33);
    again.Close();
    fs::remove_all(U8(folder));
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
    EXPECT_FALSE(dates.Parse("0").has_value());
    EXPECT_FALSE(dates.Parse("").has_value());
    EXPECT_FALSE(dates.Parse("pas une date").has_value());
    EXPECT_FALSE(dates.Parse("99/99/2024").has_value());
}

TEST(SettingsWin32, FailedSaveTellsTheUserAndKeepsTheOldFile) {
    pilotune::testing::RecordingMessages messages;
    const std::string exe = ExecutablePath();
    const std::string path = exe.substr(0, exe.find_last_of('\\') + 1) + "protégé.ini";
    const std::wstring wpath = Widen(path);
    SetFileAttributesW(wpath.c_str(), FILE_ATTRIBUTE_NORMAL);
    { std::ofstream(U8(path), std::ios::binary) << "[x Option]\r\nNbBoucle=3\r\n"; }

    SettingsStore store;
    store.Open("protégé.ini", ProgramEnvironment());
    store.WriteInteger("Option", "NbBoucle", 8, true);

    // Read-only file.
    ASSERT_TRUE(SetFileAttributesW(wpath.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(FlushOrWarn(store));
    ASSERT_EQ(messages.errors.size(), 1u);
    EXPECT_EQ(messages.errors[0],
              "Les paramètres n'ont pas pu être enregistrés dans le fichier « " + path +
                  " » : le fichier est en lecture seule.");
    SetFileAttributesW(wpath.c_str(), FILE_ATTRIBUTE_NORMAL);

    // File held open by another program without sharing.
    HANDLE h = CreateFileW(wpath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(FlushOrWarn(store));
    CloseHandle(h);
    ASSERT_EQ(messages.errors.size(), 2u);
    EXPECT_NE(messages.errors[1].find(path), std::string::npos);
    EXPECT_EQ(Bytes(path), "[x Option]\r\nNbBoucle=3\r\n");
    EXPECT_EQ(GetFileAttributesW(Widen(path + "." + std::to_string(GetCurrentProcessId()) + "-" +
                                       std::to_string(GetCurrentThreadId()) + ".tmp")
                                     .c_str()),
              INVALID_FILE_ATTRIBUTES);

    // Once free again, the save goes through without a message.
    EXPECT_TRUE(FlushOrWarn(store));
    EXPECT_EQ(messages.errors.size(), 2u);
    EXPECT_NE(Bytes(path).find("NbBoucle=8"), std::string::npos);
    store.Close();
    DeleteFileW(wpath.c_str());
}
