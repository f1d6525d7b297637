// The copy itself and overlong paths run on the real disk in the Windows tests.
#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

#include "SettingsFixture.h"
#include "copy/CopyList.h"
#include "copy/MusicCopy.h"
#include "settings/Option.h"

using namespace pilotune;

namespace {

class MemoryFiles final : public CopyFileSystem {
  public:
    std::set<std::string> files, folders;
    bool createWorks = true;
    bool copyWorks = true;
    std::string throwOnCreate; // message thrown by CreateFolders when not empty

    bool FileExists(const std::string& p) override { return files.count(p) > 0; }
    bool FolderExists(const std::string& p) override { return folders.count(p) > 0; }
    void CreateFolders(const std::string& p) override {
        if (!throwOnCreate.empty()) throw std::runtime_error(throwOnCreate);
        if (createWorks) folders.insert(p);
    }
    bool CanCopy(const std::string&, const std::string&) override { return true; }
    void Copy(const std::string&, const std::string& t) override {
        if (copyWorks) files.insert(t);
    }
    bool Rename(const std::string& f, const std::string& t) override {
        return files.erase(f) && files.insert(t).second;
    }
    void Remove(const std::string& p) noexcept override { files.erase(p); }
};

TEST(MusicCopy, FailuresInTheOrderOfTheChecksThenTheCopyIntoTheFolder) {
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
    fs.copyWorks = false; // the copy reported nothing but made no file
    EXPECT_EQ(CopyMusic(o, "C:\\a.mp3", fs), kCopyFailed);
    fs.copyWorks = true; // into the folder, under the file's own name
    EXPECT_EQ(CopyMusic(o, "C:\\a.mp3", fs), kCopyDone);
    EXPECT_EQ(fs.files, (std::set<std::string>{"C:\\a.mp3", "C:\\Music\\a.mp3"}));

    // The platform's own words are passed on.
    fs.throwOnCreate = "Accès refusé.";
    EXPECT_EQ(CopyMusic(o, "C:\\a.mp3", fs), "Accès refusé.");
}

// A status reaches the row its copy started, wherever the list has put it since.
TEST(CopyListRun, StatusesFollowTheirRowsAcrossSavesAndSkipRemovedOnes) {
    pilotune::testing::MemoryStore m;
    CopyListRun run;
    run.Begin(m.store, {{5, "Copie réussi"}, {6, ""}, {7, ""}});
    EXPECT_EQ(m.store.ReadInteger(kSectionCopie, "Nb", 0, true), 3);
    run.Status(m.store, 1, "Fichier manquant");
    EXPECT_EQ(ReadCopyList(m.store)[1], (CopyRow{6, "Fichier manquant"}));
    run.Saved({2, -1, 0}); // row 1 removed, a new row between
    EXPECT_EQ(run.IdOf(2), 0);
    run.Status(m.store, 2, "Copie réussi");
    run.Status(m.store, 1, "Erreur de copie");
    EXPECT_EQ(m.store.ReadText(kSectionCopie, "Erreur0", "", true), "Copie réussi");
    EXPECT_EQ(m.store.ReadText(kSectionCopie, "Erreur1", "", true), "Fichier manquant");
    // A long list is read whole, rows without their number as track 1.
    m.store.WriteInteger(kSectionCopie, "Nb", 10005, true);
    m.store.WriteText(kSectionCopie, "Erreur10004", "Copie réussi", true);
    const std::vector<CopyRow> rows = ReadCopyList(m.store);
    ASSERT_EQ(rows.size(), 10005u);
    EXPECT_EQ(rows.back(), (CopyRow{1, "Copie réussi"}));
    m.store.WriteInteger(kSectionCopie, "Nb", 2000000000, true); // damaged: no phantom rows
    EXPECT_EQ(ReadCopyList(m.store).size(), 10005u);
}

} // namespace
