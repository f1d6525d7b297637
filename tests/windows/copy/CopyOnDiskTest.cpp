// The music copy on Wine's real file system and shell, and the copy of the
// playing track from the real simulator onto a small stand-in bar.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "Simulator.h"
#include "ui/WindowTextWin32.h"
#include "copy/MusicCopyWin32.h"
#include "player/Winamp.h"
#include "player/WinampWin32.h"
#include "base/EncodingWin32.h"
#include "base/PathsWin32.h"
#include "settings/Option.h"

using namespace pilotune;
using namespace pilotune::testing;

namespace {

namespace fs = std::filesystem;

// Deletes a folder and everything in it (Wine takes its long paths as they are).
void RemoveTree(const std::string& folder) {
    std::error_code ignored;
    fs::remove_all(fs::path(Widen(folder)), ignored);
}

void WriteFileText(const std::string& path, const std::string& text) {
    std::ofstream out(fs::path(ApiPath(path)), std::ios::binary);
    ASSERT_TRUE(out << text) << path;
}

struct CopyOnDisk : ::testing::Test {
    void SetUp() override {
        work = ProgramFolder() + "copie-travail\\";
        RemoveTree(work);
        ASSERT_TRUE(CreateDirectoryW(Widen(work).c_str(), nullptr));
        CreateDirectoryW(Widen(work + "Bibliothèque").c_str(), nullptr);
        source = work + "Bibliothèque\\Artiste - Été.mp3";
        WriteFileText(source, "ID3 musique");
    }
    void TearDown() override { RemoveTree(work); }

    std::string work, source;
    ShellCopyFileSystem files;
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

// The bar's title as a real window caption.
class CaptionBar final : public CopyTrackBar {
  public:
    explicit CaptionBar(HWND w) : window(w) {}
    HWND window;
    std::vector<std::string> events;

    void StopTick() override { events.push_back("stop"); }
    std::string Title() override { return WindowText(window); }
    void ShowTitle(const std::string& t) override {
        SetWindowTextW(window, Widen(t).c_str());
        events.push_back("show");
    }
    void RestoreTitleAfter(int ms) override { events.push_back("restore " + std::to_string(ms)); }
};

// The copy returns at once: the bar restores its title 1.5 s later by itself.
TEST(CopyCurrentTrack, PlayingFileCopiedAndResultShownWithoutWaiting) {
    Simulator sim({.play = true, .tracks = 3});
    Win32PlayerWindow window;
    Win32PlayerSystem system;
    TPilotune player{window, system, Narrow(SimulatorExe())};
    player.Connecter();
    const std::string playing = player.FichierTitre(player.NumeroTitre());
    ASSERT_FALSE(playing.empty());

    HWND bar = CreateWindowExW(0, L"STATIC", L"1. Artiste - Titre", WS_POPUP | WS_VISIBLE, 0, 0,
                               300, 20, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    CaptionBar view(bar);
    COption option;
    const std::string folder = ProgramFolder() + "copie-piste";
    RemoveTree(folder);
    option.CopyPath = folder;
    ShellCopyFileSystem files(bar);

    EXPECT_EQ(CopyCurrentTrack(option, player, files, view), "Copie réussi");
    EXPECT_EQ(view.Title(), "1. Artiste - Titre - Copie réussi");
    EXPECT_EQ(view.events, (std::vector<std::string>{"stop", "show", "restore 1500"}));
    EXPECT_TRUE(files.FileExists(folder + "\\" + playing.substr(playing.find_last_of('\\') + 1)));
    DestroyWindow(bar);
    RemoveTree(folder);
}

} // namespace
