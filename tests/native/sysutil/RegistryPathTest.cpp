#include <gtest/gtest.h>

#include "settings/RegistryPath.h"

using namespace pilotune;

namespace {
void ExpectSplit(std::string_view path, RegistryRoot root, std::string_view key,
                 std::string_view value) {
    SCOPED_TRACE(std::string(path));
    const RegistryValuePath split = SplitRegistryPath(path);
    EXPECT_EQ(split.root, root);
    EXPECT_EQ(split.key, key);
    EXPECT_EQ(split.valueName, value);
}
} // namespace

TEST(RegistryPath, EveryRootNameIsRecognisedWithExactCaseOnly) {
    const std::pair<const char*, RegistryRoot> roots[] = {
        {"HKEY_CLASSES_ROOT", RegistryRoot::ClassesRoot},
        {"HKEY_CURRENT_USER", RegistryRoot::CurrentUser},
        {"HKEY_LOCAL_MACHINE", RegistryRoot::LocalMachine},
        {"HKEY_USERS", RegistryRoot::Users},
        {"HKEY_PERFORMANCE_DATA", RegistryRoot::PerformanceData},
        {"HKEY_CURRENT_CONFIG", RegistryRoot::CurrentConfig},
        {"HKEY_DYN_DATA", RegistryRoot::DynData},
    };
    for (const auto& [name, root] : roots) {
        std::string path = std::string(name) + "\\Software\\Test\\Valeur";
        EXPECT_EQ(TakeRegistryRoot(path), root) << name;
        EXPECT_EQ(path, "Software\\Test\\Valeur") << name;
    }

    // Not a root: the current user's hive, the text left whole.
    for (const char* other : {"hkey_local_machine\\Software\\V", "HKEY_LOCAL_MACHINEX\\Software\\V",
                              "HKEY_LOCAL\\Software\\V", "Software\\HKEY_LOCAL_MACHINE\\V",
                              "\\HKEY_LOCAL_MACHINE\\V"}) {
        std::string path = other;
        EXPECT_EQ(TakeRegistryRoot(path), RegistryRoot::CurrentUser) << other;
        EXPECT_EQ(path, other);
    }

    // A root name alone, with or without its "\".
    for (const char* alone : {"HKEY_USERS", "HKEY_USERS\\"}) {
        std::string path = alone;
        EXPECT_EQ(TakeRegistryRoot(path), RegistryRoot::Users) << alone;
        EXPECT_EQ(path, "") << alone;
    }
}

TEST(RegistryPath, KeyIsBeforeTheLastSeparatorAndValueAfterIt) {
    ExpectSplit("HKEY_CURRENT_USER\\Software\\Test\\Valeur", RegistryRoot::CurrentUser,
                "Software\\Test", "Valeur");
    ExpectSplit("HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\\Pilotune",
                RegistryRoot::CurrentUser, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run",
                "Pilotune");
    // A lower-case root is an ordinary first key of the current user's hive.
    ExpectSplit("hkey_local_machine\\Software\\Valeur", RegistryRoot::CurrentUser,
                "hkey_local_machine\\Software", "Valeur");
    // ":" separates too, whichever of the two comes last.
    ExpectSplit("HKEY_LOCAL_MACHINE\\Software\\Test:Valeur", RegistryRoot::LocalMachine,
                "Software\\Test", "Valeur");
    ExpectSplit("HKEY_LOCAL_MACHINE\\Soft:ware\\Test\\Valeur", RegistryRoot::LocalMachine,
                "Soft:ware\\Test", "Valeur");
    // No value name: the key's default value.
    ExpectSplit("HKEY_CURRENT_USER\\Software\\Test\\", RegistryRoot::CurrentUser, "Software\\Test",
                "");
    // Doubled or stray separators never leave an empty first or last key name.
    ExpectSplit("HKEY_CURRENT_USER\\\\Software\\Test\\\\Valeur", RegistryRoot::CurrentUser,
                "Software\\Test", "Valeur");
}

TEST(RegistryPath, PathsWithoutAKeyBelowTheRoot) {
    ExpectSplit("Valeur", RegistryRoot::CurrentUser, "", "Valeur");
    ExpectSplit("HKEY_CURRENT_USER\\Valeur", RegistryRoot::CurrentUser, "", "Valeur");
    ExpectSplit("HKEY_CURRENT_USER", RegistryRoot::CurrentUser, "", "");
    ExpectSplit("HKEY_LOCAL_MACHINE\\", RegistryRoot::LocalMachine, "", "");
    ExpectSplit("", RegistryRoot::CurrentUser, "", "");
    ExpectSplit("\\\\Valeur", RegistryRoot::CurrentUser, "", "Valeur");
}
