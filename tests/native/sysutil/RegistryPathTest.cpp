// How a registry path splits into hive, key and value name. Writing through
// the hives, the exact-case root names and the default value run on the real
// registry in the Windows tests; here, the separators and the odd paths.
#include <gtest/gtest.h>

#include "settings/RegistryPath.h"

using namespace pilotune;

TEST(RegistryPath, KeyIsBeforeTheLastSeparatorAndValueAfterIt) {
    using R = RegistryRoot;
    const struct {
        const char* path;
        RegistryRoot root;
        const char* key;
        const char* value;
    } cases[] = {
        {"HKEY_USERS\\Software\\Test\\Valeur", R::Users, "Software\\Test", "Valeur"},
        {"HKEY_CURRENT_CONFIG\\Valeur", R::CurrentConfig, "", "Valeur"},
        {"HKEY_DYN_DATA\\K\\V", R::DynData, "K", "V"},
        {"HKEY_CLASSES_ROOT\\K\\V", R::ClassesRoot, "K", "V"},
        // ":" separates too, whichever of the two comes last.
        {"HKEY_LOCAL_MACHINE\\Software\\Test:Valeur", R::LocalMachine, "Software\\Test", "Valeur"},
        {"HKEY_LOCAL_MACHINE\\Soft:ware\\Test\\Valeur", R::LocalMachine, "Soft:ware\\Test",
         "Valeur"},
        // Doubled or stray separators never leave an empty first or last key name.
        {"HKEY_CURRENT_USER\\\\Software\\Test\\\\Valeur", R::CurrentUser, "Software\\Test",
         "Valeur"},
        {"\\\\Valeur", R::CurrentUser, "", "Valeur"},
        // Names that only look like a root are keys of the current user's hive.
        {"HKEY_LOCAL_MACHINEX\\Software\\V", R::CurrentUser, "HKEY_LOCAL_MACHINEX\\Software", "V"},
        {"HKEY_LOCAL\\Software\\V", R::CurrentUser, "HKEY_LOCAL\\Software", "V"},
        {"Software\\HKEY_LOCAL_MACHINE\\V", R::CurrentUser, "Software\\HKEY_LOCAL_MACHINE", "V"},
        {"\\HKEY_LOCAL_MACHINE\\V", R::CurrentUser, "HKEY_LOCAL_MACHINE", "V"},
        // A root alone, with or without its "\", and nothing at all.
        {"HKEY_USERS", R::Users, "", ""},
        {"HKEY_LOCAL_MACHINE\\", R::LocalMachine, "", ""},
        {"", R::CurrentUser, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        const RegistryValuePath split = SplitRegistryPath(c.path);
        EXPECT_EQ(split.root, c.root);
        EXPECT_EQ(split.key, c.key);
        EXPECT_EQ(split.valueName, c.value);
    }
}
