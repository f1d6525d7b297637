// The on-screen display and the now-playing file in the real program and in
// its own assembly, after real changes in the simulator: the display's window
// at 96 and 144 DPI (each in a child run), typing into another program while
// it shows, and the file written whole in names of several scripts.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "../schedule/BarHarness.h"
#include "../windows/WindowInput.h"
#include "DialogDriving.h"
#include "PilotuneProcess.h"
#include "RunAtDpi.h"
#include "Waiting.h"
#include "WindowText.h"
#include "ui/Layout.h"
#include "windows/FAffichageWin32.h"

using namespace pilotune;
using namespace pilotune::testing;
namespace fs = std::filesystem;

namespace {

constexpr char kChildVariable[] = "PILOTUNE_NOTICES_DPI_CHILD";
// A child run is DPI aware from its start, as the program's manifest declares.
[[maybe_unused]] const bool kDpiAware = ChildDpi(kChildVariable) && (BeDpiAware(), true);

fs::path Here() {
    return fs::path(Widen(ExecutablePath())).parent_path();
}

// Four tracks whose titles are in four scripts, the third one 4:43 long.
std::wstring Playlist() {
    const fs::path list = Here() / "notices.m3u8";
    std::ofstream(list, std::ios::binary | std::ios::trunc)
        << "#EXTM3U\r\n#EXTINF:200,Édith Piaf - La Vie en rose\r\nC:\\Musique\\rose.mp3\r\n"
           "#EXTINF:200,Ελένη Βιτάλη - Τραγούδι\r\nC:\\Musique\\tragoudi.mp3\r\n"
           "#EXTINF:283,坂本龍一 - 戦場のメリークリスマス\r\nC:\\Musique\\Fête.mp3\r\n"
           "#EXTINF:200,Sans artiste 🎉\r\nC:\\Musique\\fete.mp3\r\n";
    return list.wstring();
}

struct Notices : ::testing::Test {
    BarHarness h{{.speed = 1, .play = true, .playlist = Playlist()}};

    void SetUp() override { h.Start(); }
    BarServices& Services() { return h.bar.state.services; }
    TfrmAffichage& Affichage() { return h.app.Notices().Affichage(); }
    // Track n plays, and the application's tick hears of it.
    void Play(int n) {
        h.link.JouerTitre(n);
        ASSERT_TRUE(h.RunUntil([&] { return h.option.CurrentTrack == n; }, 3000));
    }
    std::string Title() { return h.bar.state.twins.titre.B().text; }
};

RECT WorkArea() {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

// What another program's edit control holds (its caption is not its text).
std::string EditText(HWND edit) {
    wchar_t text[64] = {};
    SendMessageTimeoutW(edit, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 2000,
                        nullptr);
    return Narrow(text);
}

std::string Bytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

} // namespace

// The real program beside the simulator, nothing told by hand: the user goes
// to the next track in the player and the now-playing file follows; the
// volume changes in the player and the display shows it.
TEST(NoticesEndToEnd, APlayersTrackChangeWritesTheFileAndItsVolumeChangeShowsTheDisplay) {
    Simulator sim{{.play = true, .playlist = Playlist()}};
    const fs::path file = Here() / "en-cours-e2e.txt";
    fs::remove(file);
    PilotuneProcess app("notices",
                        SimulatorIni("FichierEnCours=" + Narrow(file.wstring()) + "\r\n"));
    ASSERT_TRUE(app.Start());
    EXPECT_FALSE(FindWindowW(kAffichageClass, nullptr));
    sim.Command(kCmdNext);
    EXPECT_TRUE(WaitFor([&] { return Bytes(file) == "Ελένη Βιτάλη - Τραγούδι"; }, 5000))
        << Bytes(file);
    sim.User(kQueryVolume, 100);
    EXPECT_TRUE(WaitFor([] {
        const HWND osd = FindWindowW(kAffichageClass, nullptr);
        return osd && IsWindowVisible(osd);
    }));
}

TEST(NoticesAtDpi, TheDisplayAt96And144) {
    RunAtEachDpi({96, 144}, L"Notices.AtTheChildsDpi*", kChildVariable);
}

// The volume at the bottom right corner, a title in its place at once at the
// top left one, both a margin away from the edges, never under the mouse,
// gone about two seconds later.
TEST_F(Notices, AtTheChildsDpiTheDisplayKeepsItsCornerStylesAndTime) {
    const int dpi = ChildDpi(kChildVariable);
    if (!dpi) GTEST_SKIP() << "run by NoticesAtDpi with the DPI set";
    Services().VolumeChanged(191);
    const HWND osd = FindWindowW(kAffichageClass, nullptr);
    ASSERT_TRUE(osd);
    EXPECT_TRUE(IsWindowVisible(osd));
    const LONG ex = GetWindowLongW(osd, GWL_EXSTYLE);
    for (const LONG style : std::initializer_list<LONG>{
             WS_EX_LAYERED, WS_EX_TRANSPARENT, WS_EX_TOPMOST, WS_EX_TOOLWINDOW, WS_EX_NOACTIVATE})
        EXPECT_TRUE(ex & style) << std::hex << style;
    EXPECT_NE(GetForegroundWindow(), osd);
    EXPECT_EQ(Affichage().Text(), "75\xC2\xA0%");
    const RECT work = WorkArea();
    const int margin = ScaleToDpi(24, dpi);
    RECT r{};
    GetWindowRect(osd, &r);
    EXPECT_EQ(r.right, work.right - margin);
    EXPECT_EQ(r.bottom, work.bottom - margin);
    EXPECT_GE(r.bottom - r.top, ScaleToDpi(40, dpi));
    EXPECT_NE(WindowFromPoint({(r.left + r.right) / 2, (r.top + r.bottom) / 2}), osd);
    EXPECT_TRUE(SaveWindowBmp(osd, "affichage-volume-" + std::to_string(dpi)));
    EXPECT_TRUE(SaveWindowBmp(GetDesktopWindow(), "affichage-ecran-" + std::to_string(dpi)));

    h.option.AfficheTitre = true;
    h.option.AfficheCoin = kCoinHautGauche;
    Play(2);
    EXPECT_EQ(FindWindowW(kAffichageClass, nullptr), osd);
    EXPECT_EQ(Affichage().Text(), "Ελένη Βιτάλη - Τραγούδι");
    GetWindowRect(osd, &r);
    EXPECT_EQ(r.left, work.left + margin);
    EXPECT_EQ(r.top, work.top + margin);
    EXPECT_TRUE(SaveWindowBmp(osd, "affichage-titre-" + std::to_string(dpi)));

    const ULONGLONG shown = GetTickCount64();
    ASSERT_TRUE(h.RunUntil([&] { return !IsWindowVisible(osd); }, 5000));
    const ULONGLONG lasted = GetTickCount64() - shown;
    EXPECT_GE(lasted, 1900u);
    EXPECT_LE(lasted, 3500u);
}

// Another program keeps the focus and every key typed into it while the
// display shows and is replaced; with the setting off nothing shows.
TEST_F(Notices, TheDisplayNeverTakesTheFocusFromAnotherProgram) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION notepad{};
    wchar_t command[] = L"notepad.exe";
    ASSERT_TRUE(CreateProcessW(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &notepad));
    const KernelHandle process{notepad.hProcess}, thread{notepad.hThread};
    // Notepad goes whatever happens here: left running, it would hold the
    // test's output open and the run would never end.
    struct Closer {
        HANDLE process;
        ~Closer() { TerminateProcess(process, 0); }
    } closer{process.Get()};
    HWND pad = nullptr;
    ASSERT_TRUE(
        WaitFor([&] { return (pad = FindWindowW(L"Notepad", nullptr)) != nullptr; }, 10000));
    const HWND edit = FindWindowExW(pad, nullptr, L"Edit", nullptr);
    ASSERT_TRUE(MakeForeground(pad));
    // A click in its text, as a user does, puts notepad's focus there.
    MouseAt(edit, 20, 10, MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(WaitFor(
        [&] {
            GUITHREADINFO gui{};
            gui.cbSize = sizeof gui;
            return GetGUIThreadInfo(notepad.dwThreadId, &gui) && gui.hwndFocus == edit;
        },
        5000));
    const HWND osd = [&] {
        Services().VolumeChanged(10);
        return FindWindowW(kAffichageClass, nullptr);
    }();
    for (const WORD key : {'O', 'S', 'D'}) {
        Services().VolumeChanged(key);
        h.RunUntil([] { return false; }, 60);
        PressKey(key);
        h.RunUntil([] { return false; }, 60);
        EXPECT_TRUE(IsWindowVisible(osd));
        EXPECT_EQ(GetForegroundWindow(), pad);
    }
    EXPECT_TRUE(h.RunUntil([&] { return EditText(edit) == "osd"; }, 3000)) << EditText(edit);
    EXPECT_EQ(Affichage().Text(), "27\xC2\xA0%"); // the last level, 'D' (68 of 255)

    h.option.AfficheVolume = false;
    ASSERT_TRUE(h.RunUntil([&] { return !IsWindowVisible(osd); }, 5000));
    Services().VolumeChanged(200);
    EXPECT_FALSE(IsWindowVisible(osd));
}

// Each track change writes the file whole, in UTF-8, the template's fields
// filled; a read-only file is told of once, and again after a success.
TEST_F(Notices, EachTrackChangeWritesTheNowPlayingFileAndAFailureIsToldOnce) {
    const fs::path folder = Here() / L"Flux Ελληνικά 日本語 été 🎵";
    fs::remove_all(folder);
    fs::create_directories(folder);
    const fs::path file = folder / L"en cours ♪.txt";
    h.option.FichierEnCours = Narrow(file.wstring());
    NowPlayingFile& writer = h.app.Notices().NowPlaying();
    const auto written = [&](int n) {
        return h.RunUntil([&] { return writer.Results() == n; }, 4000);
    };

    Play(2);
    ASSERT_TRUE(written(1));
    EXPECT_EQ(Bytes(file), "Ελένη Βιτάλη - Τραγούδι");
    Play(4);
    ASSERT_TRUE(written(2));
    EXPECT_EQ(Bytes(file), "Sans artiste 🎉");
    h.option.ModeleEnCours = "{number}|{artist}|{title}|{length}|{file}";
    Play(3);
    ASSERT_TRUE(written(3));
    EXPECT_EQ(Bytes(file), "3|坂本龍一|戦場のメリークリスマス|4:43|C:\\Musique\\Fête.mp3");

    const std::string told = "Titre en cours non écrit : ";
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY);
    Play(1);
    ASSERT_TRUE(written(4));
    EXPECT_TRUE(h.RunUntil([&] { return Title().starts_with(told); }, 1000)) << Title();
    ASSERT_TRUE(h.RunUntil([&] { return !Title().starts_with(told); }, 6000));
    Play(2);
    ASSERT_TRUE(written(5));
    h.RunUntil([] { return false; }, 200);
    EXPECT_FALSE(Title().starts_with(told)) << "told twice";
    EXPECT_EQ(Bytes(file), "3|坂本龍一|戦場のメリークリスマス|4:43|C:\\Musique\\Fête.mp3");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);

    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    Play(4);
    ASSERT_TRUE(written(6));
    EXPECT_EQ(Bytes(file), "4|Sans artiste 🎉|3:20|C:\\Musique\\fete.mp3");
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY);
    Play(1);
    ASSERT_TRUE(written(7));
    EXPECT_TRUE(h.RunUntil([&] { return Title().starts_with(told); }, 1000)) << Title();
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
}
