// The copy's statuses against an in-memory file system.
#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <vector>

#include "copy/MusicCopy.h"
#include "settings/Option.h"

using namespace pilotune;

namespace {

class MemoryFiles final : public CopyFileSystem {
  public:
    std::set<std::string> files, folders;
    bool createWorks = true;
    bool shellWorks = true;
    size_t shellLimit = 259;
    std::string throwOnCreate; // message thrown by CreateFolders when not empty
    std::vector<std::pair<std::string, std::string>> copies;

    bool FileExists(const std::string& p) override { return files.count(p) > 0; }
    bool FolderExists(const std::string& p) override { return folders.count(p) > 0; }
    void CreateFolders(const std::string& p) override {
        if (!throwOnCreate.empty()) throw std::runtime_error(throwOnCreate);
        if (createWorks) folders.insert(p);
    }
    bool CanShellCopy(const std::string& s, const std::string& t) override {
        return s.size() <= shellLimit && t.size() <= shellLimit;
    }
    void ShellCopy(const std::string& s, const std::string& t) override {
        copies.emplace_back(s, t);
        if (shellWorks) files.insert(t);
    }
};

TEST(MusicCopy, SecondCopyOfTheSameTrackFindsItThere) {
    MemoryFiles fs;
    fs.files.insert("C:\\Lib\\Artiste - Titre.mp3");
    COption o;
    o.CopyPath = "D:\\Baladeur";
    EXPECT_EQ(CopyMusic(o, "C:\\Lib\\Artiste - Titre.mp3", fs), kCopyDone);
    EXPECT_EQ(o.CopyPath, "D:\\Baladeur\\"); // what the settings file then keeps
    ASSERT_EQ(fs.copies.size(), 1u);
    EXPECT_EQ(fs.copies[0].second, "D:\\Baladeur\\Artiste - Titre.mp3");
    EXPECT_EQ(CopyMusic(o, "C:\\Lib\\Artiste - Titre.mp3", fs), kCopyAlreadyThere);
    EXPECT_EQ(o.CopyPath, "D:\\Baladeur\\");
    EXPECT_EQ(fs.copies.size(), 1u);
}

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

TEST(MusicCopy, PathTooLongForTheShellIsNeverHandedToIt) {
    MemoryFiles fs;
    COption o;
    const std::string longSource = "C:\\" + std::string(300, 'x') + ".mp3";
    fs.files.insert(longSource);
    EXPECT_EQ(CopyMusic(o, longSource, fs), kCopyFailed);
    EXPECT_TRUE(fs.copies.empty());
}

} // namespace
