// The music copy on Wine's real file system.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "copy/MusicCopyWin32.h"
#include "base/EncodingWin32.h"
#include "base/PathsWin32.h"
#include "settings/Option.h"

using namespace pilotune;

namespace {

namespace fs = std::filesystem;

// Deletes a folder and everything in it; `folder` is a "\\?\" path without a
// trailing backslash, so that entries beyond MAX_PATH go too.
void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &found);
    for (BOOL more = find != INVALID_HANDLE_VALUE; more; more = FindNextFileW(find, &found)) {
        const std::wstring name = found.cFileName, path = folder + L"\\" + name;
        if (name == L"." || name == L"..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            RemoveTree(path);
        else
            DeleteFileW(path.c_str());
    }
    if (find != INVALID_HANDLE_VALUE) FindClose(find);
    RemoveDirectoryW(folder.c_str());
}

void WriteFileText(const std::string& path, const std::string& text) {
    std::ofstream out(fs::path(ApiPath(path)), std::ios::binary);
    ASSERT_TRUE(out << text) << path;
}

struct CopyOnDisk : ::testing::Test {
    void SetUp() override {
        work = ProgramFolder() + "copie-travail\\";
        RemoveTree(Tree());
        ASSERT_TRUE(CreateDirectoryW(Widen(work).c_str(), nullptr));
        CreateDirectoryW(Widen(work + "Bibliothèque").c_str(), nullptr);
        source = work + "Bibliothèque\\Artiste - Été.mp3";
        WriteFileText(source, "ID3 musique");
    }
    void TearDown() override { RemoveTree(Tree()); }
    std::wstring Tree() const { return L"\\\\?\\" + Widen(work.substr(0, work.size() - 1)); }

    std::string work, source;
    std::atomic<bool> running{false};
    DiskCopyFileSystem files{running};
    COption option;
};

TEST_F(CopyOnDisk, CopiesOnceIntoANewFolderAndKeepsItsBackslash) {
    option.CopyPath = work + "Baladeur\\Rock"; // neither folder exists yet
    EXPECT_EQ(CopyMusic(option, source, files), "Copie réussi");
    std::ifstream copied(fs::path(Widen(work + "Baladeur\\Rock\\Artiste - Été.mp3")));
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(copied), {}), "ID3 musique");
    EXPECT_EQ(CopyMusic(option, source, files), "Fichier déjà copier");
    EXPECT_EQ(option.CopyPath, work + "Baladeur\\Rock\\"); // as the settings file keeps it
    DeleteFileW(Widen(source).c_str());
    EXPECT_EQ(CopyMusic(option, source, files), "Fichier manquant");
}

TEST_F(CopyOnDisk, UnusableDestinationsAndOverlongPaths) {
    const DWORD drives = GetLogicalDrives();
    char unused = 0;
    for (char d = 'Y'; d >= 'D' && !unused; --d)
        if (!(drives & (1u << (d - 'A')))) unused = d;
    ASSERT_NE(unused, 0);
    option.CopyPath = std::string(1, unused) + ":\\Baladeur";
    EXPECT_EQ(CopyMusic(option, source, files), "Erreur destination");

    // A file standing where the folder should be.
    WriteFileText(work + "occupé", "x");
    option.CopyPath = work + "occupé";
    EXPECT_EQ(CopyMusic(option, source, files), "Erreur destination");

    // A 300-character source exists but is beyond the shell: refused, and
    // nothing appears in the destination.
    std::string deep = work;
    while (deep.size() < 240) {
        deep += std::string(40, 'd') + "\\";
        ASSERT_TRUE(CreateDirectoryW(ApiPath(deep).c_str(), nullptr) ||
                    GetLastError() == ERROR_ALREADY_EXISTS);
    }
    const std::string longSource = deep + std::string(300 - deep.size() - 4, 'm') + ".mp3";
    ASSERT_EQ(longSource.size(), 300u);
    WriteFileText(longSource, "long");
    option.CopyPath = work + "Court";
    EXPECT_EQ(CopyMusic(option, longSource, files), "Erreur de copie");
    EXPECT_FALSE(files.FileExists(work + "Court\\" + longSource.substr(deep.size())));

    // A destination so long that the target name does not fit either.
    option.CopyPath = deep;
    EXPECT_EQ(CopyMusic(option, source, files), "Erreur de copie");
}

} // namespace
