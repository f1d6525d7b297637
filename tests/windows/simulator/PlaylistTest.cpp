// The simulator's playlist: generated library, .m3u and folder sources, the
// playlist file it writes on request, and bad sources.
#include "Simulator.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using pilotune::testing::Simulator;
using pilotune::testing::ToWindowsPath;

namespace {

std::string ReadBytes(const std::wstring& file) {
    std::ifstream in(std::filesystem::path(file), std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteBytes(const std::wstring& file, const std::string& bytes) {
    std::ofstream out(std::filesystem::path(file), std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find("\r\n", at);
        if (end == std::string::npos) {
            lines.push_back(text.substr(at)); // an unterminated last line shows up as such
            break;
        }
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

std::wstring FromAnsi(const std::string& s) {
    int n = MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(n, L'\0');
    MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
    return w;
}

std::string ToAnsi(const std::wstring& w) {
    int n = WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(w.size()), nullptr, 0,
                                nullptr, nullptr);
    std::string s(n, '\0');
    WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr,
                        nullptr);
    return s;
}

// A fresh folder under this test binary's build folder.
std::wstring ScratchFolder(const wchar_t* name) {
    std::wstring dir = ToWindowsPath(std::string(PILOTUNE_BUILD_DIR) + "/tests/simulator/") + name;
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
    std::filesystem::create_directories(dir, ignored);
    return dir;
}

TEST(SimulatorPlaylist, GeneratedLibraryIsWrittenAsAnAnsiM3u) {
    std::wstring music = ScratchFolder(L"generated");
    Simulator::Options o;
    o.extraArgs = L"/music=\"" + music + L"\"";
    Simulator sim(o);
    ASSERT_NE(sim.Window(), nullptr);
    ASSERT_EQ(sim.User(124), 30);
    DeleteFileW(sim.PlaylistFile().c_str());

    sim.Command(40048);
    sim.Command(40048);
    EXPECT_EQ(sim.User(120), 2) << "120 answers the 0-based current entry";
    std::string bytes = ReadBytes(sim.PlaylistFile());
    std::vector<std::string> lines = Lines(bytes);
    ASSERT_EQ(lines.size(), 1u + 2 * 30);
    EXPECT_EQ(lines[0], "#EXTM3U");
    EXPECT_EQ(bytes.find("\xC3\xA9"), std::string::npos)
        << "accents in the ANSI code page, not UTF-8";
    int accented = 0;
    for (int i = 0; i < 30; ++i) {
        const std::string& info = lines[1 + 2 * i];
        const std::string& path = lines[2 + 2 * i];
        ASSERT_EQ(info.rfind("#EXTINF:", 0), 0u) << info;
        int seconds = std::stoi(info.substr(8));
        EXPECT_GE(seconds, 120);
        EXPECT_LE(seconds, 360);
        std::wstring wide = FromAnsi(path);
        EXPECT_EQ(wide.rfind(music + L"\\", 0), 0u);
        EXPECT_NE(GetFileAttributesW(wide.c_str()), INVALID_FILE_ATTRIBUTES)
            << path << " is a real file";
        std::wstring title = FromAnsi(info.substr(info.find(',') + 1));
        EXPECT_NE(title.find(L" - "), std::wstring::npos) << "Artist - Title";
        EXPECT_EQ(wide, music + L"\\" + title + L".mp3");
        if (path.find('\xE9') != std::string::npos) ++accented;
        if (i == 2) EXPECT_EQ(sim.Caption(), L"3. " + title + L" - Winamp [Stopped]");
    }
    EXPECT_GE(accented, 3);
}

TEST(SimulatorPlaylist, ReadsAnM3uGivenOnTheCommandLine) {
    std::wstring dir = ScratchFolder(L"m3u");
    std::wstring m3u = dir + L"\\liste.m3u";
    WriteBytes(m3u, ToAnsi(L"#EXTM3U\r\n"
                           L"#EXTINF:200,Zoé Marchal - Première neige\r\n"
                           L"C:\\Musique\\Zoé.mp3\r\n"
                           L"# a comment\r\n"
                           L"\r\n"
                           L"sous-dossier\\Relatif.mp3\n"
                           L"#EXTINF:abc,Longueur illisible\r\n"
                           L"D:\\x.mp3"));
    Simulator::Options o;
    o.playlist = m3u;
    Simulator sim(o);
    ASSERT_NE(sim.Window(), nullptr);
    EXPECT_EQ(sim.User(124), 3);
    EXPECT_EQ(sim.Caption(), L"1. Zoé Marchal - Première neige - Winamp [Stopped]");
    EXPECT_EQ(sim.User(105, 1), 200);
    long long guessed = sim.Send(winampsim::kSimGetLength, 2, 0);
    EXPECT_GE(guessed, 120) << "a track without #EXTINF gets a believable length";
    EXPECT_LE(guessed, 360);
    sim.Command(40048);
    EXPECT_EQ(sim.Caption(), L"2. Relatif - Winamp [Stopped]");
    sim.Command(40048);
    EXPECT_EQ(sim.Caption(), L"3. Longueur illisible - Winamp [Stopped]");
    EXPECT_GE(sim.User(105, 1), 120);

    sim.User(120);
    std::vector<std::string> lines = Lines(ReadBytes(sim.PlaylistFile()));
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[1], ToAnsi(L"#EXTINF:200,Zoé Marchal - Première neige"));
    EXPECT_EQ(lines[2], ToAnsi(L"C:\\Musique\\Zoé.mp3"));
    EXPECT_EQ(FromAnsi(lines[4]), dir + L"\\sous-dossier\\Relatif.mp3")
        << "relative to the .m3u's folder";
    EXPECT_EQ(lines[6], "D:\\x.mp3");
}

TEST(SimulatorPlaylist, ReadsTheAudioFilesOfAFolder) {
    std::wstring dir = ScratchFolder(L"folder");
    WriteBytes(dir + L"\\b - Deux.mp3", "x");
    WriteBytes(dir + L"\\A - Un.OGG", "x");
    WriteBytes(dir + L"\\notes.txt", "x");
    CreateDirectoryW((dir + L"\\c.mp3").c_str(), nullptr);
    Simulator::Options o;
    o.playlist = dir;
    Simulator sim(o);
    ASSERT_NE(sim.Window(), nullptr);
    EXPECT_EQ(sim.User(124), 2);
    EXPECT_EQ(sim.Caption(), L"1. A - Un - Winamp [Stopped]");
    sim.User(120);
    std::vector<std::string> lines = Lines(ReadBytes(sim.PlaylistFile()));
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(FromAnsi(lines[2]), dir + L"\\A - Un.OGG");
    EXPECT_EQ(FromAnsi(lines[4]), dir + L"\\b - Deux.mp3");
}

TEST(SimulatorPlaylist, AnEmptyPlaylistAnswersWithoutAnEntry) {
    std::wstring dir = ScratchFolder(L"empty");
    WriteBytes(dir + L"\\vide.m3u", "#EXTM3U\r\n");
    Simulator::Options o;
    o.playlist = dir + L"\\vide.m3u";
    Simulator sim(o);
    ASSERT_NE(sim.Window(), nullptr);
    EXPECT_EQ(sim.User(124), 0);
    EXPECT_EQ(sim.Caption(), L"Winamp");
    for (int command : {40045, 40048, 40044, 40046, 40023})
        sim.Command(command);
    EXPECT_EQ(sim.User(104), 0) << "nothing to play";
    EXPECT_EQ(sim.User(105, 0), -1);
    EXPECT_EQ(sim.User(105, 1), -1);
    EXPECT_EQ(sim.User(105, 2), -1);
    sim.User(121, 0);
    EXPECT_EQ(sim.User(125), 0);
    EXPECT_EQ(sim.User(120), 0);
    EXPECT_EQ(ReadBytes(sim.PlaylistFile()), "#EXTM3U\r\n");
    EXPECT_TRUE(sim.Alive());
}

TEST(SimulatorPlaylist, BadCommandLinesFallBackToTheDefaults) {
    std::wstring music = ScratchFolder(L"fallback");
    Simulator::Options o;
    o.tracks = 0; // out of range: 30
    o.playlist = music + L"\\absente.m3u";
    o.extraArgs = L"/speed=abc /seed=-3 /inconnue=1 /music=\"" + music + L"\"";
    Simulator sim(o);
    ASSERT_NE(sim.Window(), nullptr);
    EXPECT_EQ(sim.User(124), 30) << "a missing source gives the generated library";
    sim.Command(40045);
    Sleep(300);
    long long position = sim.User(105, 0);
    EXPECT_GE(position, 200);
    EXPECT_LT(position, 3000) << "speed 1 after a bad /speed";
}

} // namespace
