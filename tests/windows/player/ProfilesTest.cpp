// Each player on the program's own assembly beside the simulator that plays
// it, named as its program file: the title shown, "Copier music en cours", a
// list copy, a programme recorded then replayed by file name, with names in
// three scripts wherever the player writes a UTF-8 playlist; and a stale
// playlist beside the exe that is never believed.
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>

#include "../options/OptionsHarness.h"
#include "RecordingMessages.h"
#include "player/Playlist.h"

namespace pilotune::testing {
namespace {

namespace fs = std::filesystem;

struct Case {
    const char* profile; // of the simulator, and the one the program must take
    const wchar_t* exe;  // the player's program file
    bool bits32;
    bool scripts; // its UTF-8 playlist carries every name
};

fs::path Here() {
    return fs::path(Widen(ExecutablePath())).parent_path();
}

// A private copy of the simulator under the player's program file name.
Simulator::Options PlayerOptions(const Case& c) {
    const fs::path dir = Here() / (std::string(c.profile) + (c.bits32 ? "-32" : ""));
    fs::create_directories(dir);
    const std::wstring built =
        c.bits32 ? ToWindowsPath(std::string(PILOTUNE_BUILD_DIR) + "/dist/winamp-sim32/Winamp.exe")
                 : SimulatorExe();
    CopyFileW(built.c_str(), (dir / c.exe).c_str(), FALSE);
    const std::wstring unicode = std::string(c.profile) == "winamp2" ? L"" : L" /unicode";
    return {.play = true,
            .tracks = 5,
            .exe = (dir / c.exe).wstring(),
            .args = L"/profile=" + Widen(c.profile) + unicode};
}

// The generated library's first four files.
std::vector<std::wstring> Names(bool scripts) {
    if (scripts)
        return {L"Élise Fontaine - Les quais de septembre.mp3", L"Кино - Группа крови.mp3",
                L"Μίκης Θεοδωράκης - Ζορμπάς.mp3", L"坂本九 - 上を向いて歩こう.mp3"};
    return {L"Élise Fontaine - Les quais de septembre.mp3", L"Marc Dubreuil - Route nationale.mp3",
            L"Les Frères Ménard - Rivière d'août.mp3", L"Northwind Arcade - Neon Harbour.mp3"};
}

// foobar2000 writes its winamp.m3u into the folder HKCU\Software\Winamp names.
struct PlayerProfiles : ::testing::TestWithParam<Case> {
    void SetUp() override {
        fs::create_directories(folder);
        const std::wstring value = folder.wstring();
        RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Winamp", nullptr, REG_SZ, value.c_str(),
                        static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    }
    void TearDown() override { RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Winamp"); }
    fs::path folder = Here() / "foobar2000-m3u";
};

TEST_P(PlayerProfiles, TitleCopiesAndAProgrammeRecordedAndReplayedByFileName) {
    const Case c = GetParam();
    const std::vector<std::wstring> names = Names(c.scripts);
    OptionsHarness h(PlayerOptions(c));
    // A winamp.exe is asked the newer questions; a Winamp 2 answers none.
    const std::string profile = c.profile;
    EXPECT_EQ(h.link.Profil().name, profile == "winamp2" ? "winamp5" : profile);
    h.Start();
    EXPECT_TRUE(h.Loop([&] {
        return h.bar.state.twins.titre.B().text == "1. Élise Fontaine - Les quais de septembre";
    })) << h.bar.state.twins.titre.B().text;

    // "Copier music en cours" on the second track.
    const fs::path one = Here() / "copie-piste", list = Here() / "copie-liste";
    fs::remove_all(one);
    fs::remove_all(list);
    h.sim.Command(kCmdNext);
    ASSERT_TRUE(h.Loop([&] { return h.option.CurrentTrack == 2; }));
    h.option.CopyPath = Narrow(one.wstring());
    h.bar.dispatcher.ExecuterAction(COPIER, false);
    EXPECT_TRUE(h.Loop([&] { return fs::exists(one / names[1]); })) << c.profile;

    // The list copy of tracks 1 to 4 from the copy page.
    ASSERT_TRUE(h.OpenOn(kPageCopie));
    SetWindowTextW(h.Item(kCopieChemin), list.wstring().c_str());
    h.Spin(kCopieNumeroDe).SetPosition(1);
    h.Spin(kCopieNumeroA).SetPosition(4);
    h.Click(kCopieAjouter);
    h.Click(kCopieCopier);
    EXPECT_TRUE(h.Loop([&] { return h.Cell(kCopieList, 3, 2) == "Copie réussi"; }, 20000));
    for (const std::wstring& name : names)
        EXPECT_TRUE(fs::exists(list / name)) << Narrow(name);
    h.Click(IDOK);
    ASSERT_TRUE(h.Closed());

    // Two track changes recorded under their file names, found again by name.
    h.bar.dispatcher.ExecuterAction(ENREGISTREPROGRAMME, false);
    for (int track : {3, 4}) {
        h.sim.Command(kCmdNext);
        ASSERT_TRUE(h.Loop([&] { return h.option.CurrentTrack == track; }));
    }
    h.bar.dispatcher.ExecuterAction(STOPPER, false);
    ASSERT_EQ(h.option.Programme.size(), 2u);
    EXPECT_EQ(h.option.Programme[0].T, Narrow(names[2]));
    EXPECT_EQ(h.option.Programme[1].T, Narrow(names[3]));
    h.store.WriteInteger(ProgrammeSection("PlayList"), "ProgN 0", 1, true); // a wrong number
    h.sim.ClearLog();
    h.bar.dispatcher.ExecuterAction(LECTUREPROGRAMME, false, "PlayList");
    ASSERT_TRUE(h.Loop([&] { return h.Logged(WM_USER, -1, kQuerySetPosition) > 0; }));
    const auto log = h.sim.Log();
    const auto jump = std::ranges::find_if(
        log, [](const auto& m) { return m.msg == WM_USER && m.lParam == kQuerySetPosition; });
    EXPECT_EQ(jump->wParam, 2) << "the third track, found by its name";
}

INSTANTIATE_TEST_SUITE_P(, PlayerProfiles,
                         ::testing::Values(Case{"winamp2", L"Winamp.exe", false, false},
                                           Case{"winamp5", L"winamp.exe", false, true},
                                           Case{"wacup", L"wacup.exe", false, true},
                                           Case{"foobar2000", L"foobar2000.exe", false, true},
                                           Case{"winamp5", L"Winamp.exe", true, true}),
                         [](const auto& info) {
                             return std::string(info.param.profile) +
                                    (info.param.bits32 ? "_32bits" : "");
                         });

// A playlist left beside the exe by an older install, while the player writes
// under the user's profile: taken for a player that writes beside its exe, it
// gives no file name and one French message, and nothing is copied.
TEST(StalePlaylist, AFileBesideTheExeThatTheRequestDidNotWriteIsNeverBelieved) {
    const Simulator::Options o = PlayerOptions({"winamp5", L"Winamp.exe", false, true});
    const fs::path stale = fs::path(o.exe).parent_path() / "Winamp.m3u";
    {
        std::ofstream out(stale, std::ios::binary);
        for (int i = 0; i < 5; ++i)
            out << "C:\\Ancienne\\Morceau " << i << ".mp3\r\n";
    }
    fs::last_write_time(stale, fs::last_write_time(stale) - std::chrono::hours(72));
    RecordingMessages messages;
    OptionsHarness h(o);
    h.link.ForcerProfil("winamp2");
    h.Start();
    EXPECT_EQ(h.link.FichierTitre(1), "");
    ASSERT_EQ(messages.infos.size(), 1u);
    EXPECT_EQ(messages.infos[0].rfind(kNoCurrentPlaylist, 0), 0u);
    h.option.CopyPath = Narrow((Here() / "copie-perimee").wstring());
    h.bar.dispatcher.ExecuterAction(COPIER, false);
    EXPECT_TRUE(h.Loop([&] { return h.bar.state.twins.titre.B().text.ends_with("manquant"); }));
    EXPECT_FALSE(fs::exists(Here() / "copie-perimee" / "Morceau 0.mp3"));

    h.link.ForcerProfil(""); // its program file's: the list under the user's profile
    ASSERT_TRUE(h.link.LireListe());
    EXPECT_EQ(FileNamePart(h.link.FichierTitre(4)), Narrow(Names(true)[3]));
    EXPECT_EQ(messages.infos.size(), 1u);
}

} // namespace
} // namespace pilotune::testing
