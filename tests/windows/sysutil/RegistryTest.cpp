#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "RecordingMessages.h"
#include "base/EncodingWin32.h"
#include "settings/RegistryWin32.h"

using namespace pilotune;
using pilotune::testing::RecordingMessages;

namespace {
const std::string kBase = "Software\\PilotuneTest-sysutil";

// A REG_SZ value as stored, or nothing when the value (or its key) is absent.
std::optional<std::wstring> ReadValue(HKEY root, const std::string& key, const std::string& name,
                                      DWORD* type = nullptr) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(root, Widen(key).c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS)
        return std::nullopt;
    RegistryKey owner(opened);
    wchar_t data[1024] = {};
    DWORD size = sizeof(data) - sizeof(wchar_t);
    DWORD kind = 0;
    if (RegQueryValueExW(opened, Widen(name).c_str(), nullptr, &kind, reinterpret_cast<BYTE*>(data),
                         &size) != ERROR_SUCCESS)
        return std::nullopt;
    if (type) *type = kind;
    return std::wstring(data, size / sizeof(wchar_t)).c_str(); // stops at the terminator
}

bool KeyExists(HKEY root, const std::string& key) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(root, Widen(key).c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return false;
    RegCloseKey(opened);
    return true;
}

class RegistryTest : public ::testing::Test {
  protected:
    void SetUp() override { Clean(); }
    void TearDown() override { Clean(); }
    static void Clean() {
        RegDeleteTreeW(HKEY_CURRENT_USER, Widen(kBase).c_str());
        RegDeleteTreeW(HKEY_CURRENT_USER, L"hkey_current_user");
        RegDeleteValueW(HKEY_CURRENT_USER, L"PilotuneRacine");
    }
    RecordingMessages messages;
};
} // namespace

TEST_F(RegistryTest, WritesReadsBackAndDeletesAStringValue) {
    const std::string run = "C:\\Program Files\\Pilotune é\\Pilotune.exe WindowsLanceDebut";
    ASSERT_TRUE(WriteRegistryText("HKEY_CURRENT_USER\\" + kBase + "\\Run\\Pilotune", run));
    DWORD type = 0;
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kBase + "\\Run", "Pilotune", &type), Widen(run));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));

    // A second write replaces the data; an empty text is a value too.
    ASSERT_TRUE(WriteRegistryText("HKEY_CURRENT_USER\\" + kBase + "\\Run\\Pilotune", ""));
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kBase + "\\Run", "Pilotune"), L"");

    // Without a root name the path is under the current user's hive.
    ASSERT_TRUE(WriteRegistryText(kBase + "\\Sans racine\\Dernière", "oui"));
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kBase + "\\Sans racine", "Dernière"), L"oui");

    // No value name: the key's default value.
    ASSERT_TRUE(
        WriteRegistryText("HKEY_CURRENT_USER\\" + kBase + "\\Défaut\\", "valeur par défaut"));
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kBase + "\\Défaut", ""), L"valeur par défaut");

    EXPECT_TRUE(DeleteRegistryValue("HKEY_CURRENT_USER\\" + kBase + "\\Run\\Pilotune"));
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kBase + "\\Run", "Pilotune"), std::nullopt);
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kBase + "\\Run")); // only the value goes

    // Deleting what is not there: quiet, and no key is created on the way.
    EXPECT_FALSE(DeleteRegistryValue("HKEY_CURRENT_USER\\" + kBase + "\\Run\\Pilotune"));
    EXPECT_FALSE(DeleteRegistryValue("HKEY_CURRENT_USER\\" + kBase + "\\Absent\\Sous\\Valeur"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kBase + "\\Absent"));
    EXPECT_TRUE(messages.errors.empty());
}

TEST_F(RegistryTest, RootNameSelectsTheHiveOnlyWithExactCase) {
    ASSERT_TRUE(WriteRegistryText("HKEY_LOCAL_MACHINE\\" + kBase + "\\Valeur", "machine"));
    EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, kBase, "Valeur"), L"machine");
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kBase, "Valeur"), std::nullopt);
    EXPECT_TRUE(DeleteRegistryValue("HKEY_LOCAL_MACHINE\\" + kBase + "\\Valeur"));
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, Widen(kBase).c_str());

    ASSERT_TRUE(WriteRegistryText("hkey_current_user\\Software\\Valeur", "x"));
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, "hkey_current_user\\Software", "Valeur"), L"x");
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, "Software", "Valeur"), std::nullopt);
    EXPECT_TRUE(DeleteRegistryValue("hkey_current_user\\Software\\Valeur"));
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, "hkey_current_user\\Software", "Valeur"), std::nullopt);
}

TEST_F(RegistryTest, FailuresTellTheUserTheValueName) {
    // Nothing below the root: refused, nothing written into the hive itself.
    EXPECT_FALSE(WriteRegistryText("HKEY_CURRENT_USER", "x"));
    EXPECT_FALSE(WriteRegistryText("HKEY_CURRENT_USER\\PilotuneRacine", "x"));
    EXPECT_FALSE(WriteRegistryText("PilotuneRacine", "x"));
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, "", "PilotuneRacine"), std::nullopt);
    EXPECT_FALSE(DeleteRegistryValue("HKEY_CURRENT_USER"));

    // Keys that cannot be created: a key name longer than the registry allows,
    // and a root that holds no keys.
    const std::string tooLong(300, 'k');
    EXPECT_FALSE(
        WriteRegistryText("HKEY_CURRENT_USER\\" + kBase + "\\" + tooLong + "\\Valeur", "x"));
    EXPECT_FALSE(WriteRegistryText("HKEY_PERFORMANCE_DATA\\Pilotune\\Compteur", "x"));

    const std::string failed = "Echec à la définition des données pour '";
    EXPECT_EQ(messages.errors,
              (std::vector<std::string>{failed + "'", failed + "PilotuneRacine'",
                                        failed + "PilotuneRacine'", failed + "Valeur'",
                                        failed + "Compteur'"}));
}
