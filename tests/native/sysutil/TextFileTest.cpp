// The real registry and the usual paths run in the Windows tests.
#include <gtest/gtest.h>

#include "TempFolder.h"
#include "settings/RegistryPath.h"
#include "settings/TextFile.h"

using namespace pilotune;

using TextFileTest = pilotune::testing::TempFolder;

TEST_F(TextFileTest, EveryLineIsPrecededByCrLfWhateverTheLineEndsInOddAndLargeFilesToo) {
    EXPECT_EQ(ReadTextFile(Write("ab.txt", "a\r\nb")), "\r\na\r\nb");
    EXPECT_EQ(ReadTextFile(Write("lf.txt", "a\nb\n")), "\r\na\r\nb");
    EXPECT_EQ(ReadTextFile(Write("cr.txt", "a\rb\r")), "\r\na\r\nb");
    EXPECT_EQ(ReadTextFile(Write("mixed.txt", "a\r\nb\nc\rd")), "\r\na\r\nb\r\nc\r\nd");
    // Empty lines are lines; LF CR is two line ends, CR LF one.
    EXPECT_EQ(ReadTextFile(Write("blank.txt", "a\n\nb\n\n")), "\r\na\r\n\r\nb\r\n");
    EXPECT_EQ(ReadTextFile(Write("lfcr.txt", "a\n\rb")), "\r\na\r\n\r\nb");
    EXPECT_EQ(ReadTextFile(Write("one-eol.txt", "\n")), "\r\n");
    EXPECT_EQ(ReadTextFile(Write("empty.txt", "")), "");

    // Missing files and accented names run on Windows.
    EXPECT_EQ(ReadTextFile(dir.string()), ""); // a folder is not a file
    EXPECT_EQ(ReadTextFile(""), "");

    // Binary bytes, NUL included, are kept.
    const std::string binary("\x00\x01\xff\r\n\x1a\x00z", 8);
    EXPECT_EQ(ReadTextFile(Write("binary.bin", binary)),
              std::string("\r\n\x00\x01\xff\r\n\x1a\x00z", 10));

    const std::string longLine(1 << 20, 'x');
    const std::string read = ReadTextFile(Write("long.txt", longLine + "\nfin"));
    EXPECT_EQ(read, "\r\n" + longLine + "\r\nfin");
}

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
        EXPECT_EQ(std::tie(split.root, split.key, split.valueName),
                  std::tie(c.root, c.key, c.value));
    }
}
