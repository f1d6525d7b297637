#include "SettingsFixture.h"

#include <unistd.h>

using namespace pilotune;
using pilotune::testing::SettingsFixture;
namespace fs = std::filesystem;

using SettingsSaveFailure = SettingsFixture;

namespace {
const std::string kOld = "[abc Option]\r\nNbBoucle=3\r\n";
}

TEST_F(SettingsSaveFailure, ReadOnlyFileIsLeftWholeAndTheFailureIsReported) {
    WriteFile(kOld);
    fs::permissions(ini, fs::perms::owner_read | fs::perms::group_read);
    SettingsStore store;
    Open(store);
    store.WriteInteger("Option", "NbBoucle", 8, true);
    const SaveResult r = store.Flush();
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.path, ini.string());
    EXPECT_EQ(r.reason, "le fichier est en lecture seule.");
    EXPECT_EQ(FileBytes(), kOld);
    EXPECT_FALSE(fs::exists(dir / "pilote.ini.tmp"));

    // The memory copy is kept: once the file is writable again, a save works.
    fs::permissions(ini, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(store.ReadInteger("Option", "NbBoucle", 0, true), 8);
    EXPECT_TRUE(store.Close().ok);
    EXPECT_EQ(FileBytes(), "[abc Option]\r\nNbBoucle=8\r\n");
}

TEST_F(SettingsSaveFailure, FolderThatCannotTakeTheFileReportsFailure) {
    // The folder disappears between open and save.
    {
        SettingsStore store;
        store.Open("", {(dir / "gone" / "pilote.exe").string(), "abc", &codec, &dates});
        store.WriteInteger("Option", "NbBoucle", 8, true);
        const SaveResult r = store.Flush();
        EXPECT_FALSE(r.ok);
        EXPECT_NE(r.reason.find("impossible de créer"), std::string::npos) << r.reason;
    }
    // A folder stands where the file should be.
    {
        fs::create_directory(ini);
        SettingsStore store;
        Open(store);
        store.WriteInteger("Option", "NbBoucle", 8, true);
        const SaveResult r = store.Flush();
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(fs::is_directory(ini));
        fs::remove(ini);
    }
    // A read-only folder (the superuser writes anyway, so only checked for others).
    if (geteuid() != 0) {
        WriteFile(kOld);
        fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
        SettingsStore store;
        Open(store);
        store.WriteInteger("Option", "NbBoucle", 8, true);
        EXPECT_FALSE(store.Flush().ok);
        fs::permissions(dir, fs::perms::owner_all);
        EXPECT_EQ(FileBytes(), kOld);
    }
    // Closing a store that is not open saves nothing and says so.
    SettingsStore never;
    EXPECT_FALSE(never.Flush().ok);
}
