// The copy itself and overlong paths run on the real disk in the Windows tests.
#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

#include "copy/MusicCopy.h"
#include "settings/Option.h"

using namespace pilotune;

namespace {

class MemoryFiles final : public CopyFileSystem {
  public:
    std::set<std::string> files, folders;
    bool createWorks = true;
    bool shellWorks = true;
    std::string throwOnCreate; // message thrown by CreateFolders when not empty

    bool FileExists(const std::string& p) override { return files.count(p) > 0; }
    bool FolderExists(const std::string& p) override { return folders.count(p) > 0; }
    void CreateFolders(const std::string& p) override {
        if (!throwOnCreate.empty()) throw std::runtime_error(throwOnCreate);
        if (createWorks) folders.insert(p);
    }
    bool CanShellCopy(const std::string&, const std::string&) override { return true; }
    void ShellCopy(const std::string&, const std::string& t) override {
        if (shellWorks) files.insert(t);
    }
};

TEST(MusicCopy, FailuresInTheOrderOfTheChecks) {
    COption o;
    MemoryFiles fs;
    // A folder that cannot be made wins over a missing source.
    fs.createWorks = false;
    EXPECT_EQ(CopyMusic(o, "C:\\absent.mp3", fs), kCopyBadDestination);
    // An empty setting is a bad destination, not the current folder.
    fs.createWorks = true;
    o.CopyPath = "";
    EXPECT_EQ(CopyMusic(o, "C:\\absent.mp3", fs), kCopyBadDestination);
    EXPECT_TRUE(fs.folders.empty());

    o.CopyPath = "C:\\Music";
    EXPECT_EQ(CopyMusic(o, "C:\\absent.mp3", fs), kCopyMissingFile);
    EXPECT_EQ(CopyMusic(o, "", fs), kCopyMissingFile);

    fs.files.insert("C:\\a.mp3");
    fs.shellWorks = false; // the shell reported nothing but made no file
    EXPECT_EQ(CopyMusic(o, "C:\\a.mp3", fs), kCopyFailed);

    // The platform's own words are passed on.
    fs.throwOnCreate = "Accès refusé.";
    EXPECT_EQ(CopyMusic(o, "C:\\a.mp3", fs), "Accès refusé.");
}

} // namespace
