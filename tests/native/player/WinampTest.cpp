#include "player/Winamp.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "FakePlayer.h"
#include "SettingsFixture.h"
#include "player/Playlist.h"

using namespace pilotune;
using namespace pilotune::testing;

namespace {
constexpr char kExe[] = "C:\\Program Files\\Winamp\\Winamp.exe";
constexpr char kM3u[] = "C:\\Program Files\\Winamp\\Winamp.m3u";
constexpr char kPrompt[] = "Erreur de chemin de winamp|Le chemin de winamp n'a pas été trouvé\r\n"
                           "Veuillez saisir le chemin complet|";
constexpr char kInstall[] = "                    Veuillez installer Winamp. \r\n"
                            "Sans Winamp le programme ne sert pas à grand chose.";

struct LinkTest : ::testing::Test {
    ScriptedPlayer window{12};
    FakePlayerSystem system;
    TPilotune link{window, system, kExe};
    void SetUp() override {
        system.files[kExe] = "MZ";
        link.Connecter();
    }
    void Playlist(int length, std::string file) {
        window.answers[kQueryLength] = length;
        system.files[kM3u] = std::move(file);
    }
};

struct PathTest : ::testing::Test, MemoryStore {
    FakePlayerSystem system;
    std::string Stored() { return store.ReadText("Option", "CheminWinamp", "?", true); }
};
} // namespace

TEST(PlayerTexts, TheTitleCutsBeforeTheDashOfWinampAndThePlaylistSitsBesideTheExe) {
    EXPECT_EQ(TitleFromCaption("12. Artiste - Morceau - Winamp"), "12. Artiste - Morceau");
    EXPECT_EQ(TitleFromCaption("12. Artiste - Morceau - Winamp [Paused]"), "12. Artiste - Morceau");
    EXPECT_EQ(TitleFromCaption("Sans le nom du lecteur"), "Sans le nom du lecteur");
    EXPECT_EQ(TitleFromCaption("- Winamp"), "");
    EXPECT_EQ(TitleFromCaption(""), "");
    EXPECT_EQ(TitleFromCaption(std::string(10000, 'x') + " - Winamp"), std::string(10000, 'x'));
    // The playlist file replaces the last three characters of the player's path.
    EXPECT_EQ(PlaylistPathFor("C:\\W\\winamp.EXE"), "C:\\W\\winamp.m3u");
    EXPECT_EQ(PlaylistPathFor("ab"), "m3u");
}

// The plain commands cross to the simulator in the Windows link tests.
TEST_F(LinkTest, CommandsQueriesAndSilenceAtTheirEdgesAndTheWaitForAGoneWindow) {
    link.Commande(0x10000 + kCmdClose);
    window.present = true;
    link.AllerA(42);
    EXPECT_EQ(window.sent, (std::vector<SentMessage>{{kWmCommand, kCmdClose, 0, false},
                                                     {kWmUser, 42000, kQuerySeek, true}}));

    for (const auto& [ms, seconds] : {std::pair{999, 0}, {1000, 1}, {-1, 0}, {-2500, -2}}) {
        window.positionMs = ms;
        EXPECT_EQ(link.Position(), seconds) << ms;
    }
    // The player answers a 32-bit value; wider garbage keeps its low half.
    window.answers[kQueryTime] = (std::intptr_t{1} << 32) + 5000;
    EXPECT_EQ(link.Position(), 5);
    window.answers.clear();
    window.lengths[0] = -1;
    EXPECT_EQ(link.Duree(), -1);

    for (int answer : {2, -7}) { // none of stopped, playing, paused
        window.answers[kQueryState] = answer;
        EXPECT_EQ(link.Etat(), PlayerState::Other) << answer;
        EXPECT_EQ(link.TexteEtat(), " - Erreur") << answer;
    }
    window.answers[kQueryShuffle] = 2;
    EXPECT_FALSE(link.HasardActif());

    // A player that does not answer says so, apart from its 0.
    window.answers.clear();
    window.current = 4;
    window.positionMs = 61000;
    window.shuffle = true;
    EXPECT_EQ(link.DemanderPosition(), 61);
    EXPECT_EQ(link.DemanderDuree(), 200);
    EXPECT_EQ(link.DemanderEtat(), PlayerState::Playing);
    EXPECT_EQ(link.DemanderHasard(), true);
    EXPECT_EQ(link.DemanderNumeroTitre(), 5);
    EXPECT_EQ(link.DemanderTitre(), "5. Artiste - Morceau 5");

    // An answer of 0 is an answer.
    window.current = 0;
    window.state = 0;
    EXPECT_EQ(link.DemanderNumeroTitre(), 1);
    EXPECT_EQ(link.DemanderEtat(), PlayerState::Stopped);

    // Silence is none; the plain queries still read it as the player's 0.
    window.answersBeforeHang = 0;
    EXPECT_EQ(link.DemanderDuree(), std::nullopt);
    EXPECT_EQ(link.DemanderTitre(), "1. Artiste - Morceau 1"); // the caption is the system's
    EXPECT_FALSE(link.HasardActif());

    // The window has gone: the launched player is awaited 30 s, a failed launch
    // not at all (no program, no launch: on Windows).
    window.present = false;
    link.Connecter();
    EXPECT_EQ(system.now, kLaunchWaitMs);
    system.launchWorks = false;
    link.Connecter();
    EXPECT_EQ(system.now, kLaunchWaitMs);
    EXPECT_EQ(system.launched.size(), 2u);
    EXPECT_EQ(link.DemanderTitre(), std::nullopt);
    EXPECT_EQ(link.Titre(), "");
}

TEST_F(LinkTest, PlaylistReadingSkipsInformationLinesStopsAtTheLengthAndDecodesTheAnsiCodePage) {
    Playlist(3, "#EXTM3U\r\n#EXTINF:200,A - B\r\nC:\\Musique\\a.mp3\r\n#EXTINF:1,x\r\n"
                "C:\\Musique\\b.mp3\nC:\\Musique\\c.mp3\rC:\\Musique\\d.mp3\r\n");
    ASSERT_TRUE(link.LireListe());
    EXPECT_EQ(link.Liste(), (std::vector<std::string>{"C:\\Musique\\a.mp3", "C:\\Musique\\b.mp3",
                                                      "C:\\Musique\\c.mp3"}));
    EXPECT_EQ(window.sent.front(), (SentMessage{kWmUser, 0, kQueryWritePlaylist, false}));

    // Wherever the file is cut into pieces, the same entries come out.
    for (std::size_t chunk : {1, 2, 3, 5, 64, 1 << 20}) {
        system.chunkSize = chunk;
        Playlist(5, "#EXTM3U\r\nC:\\a.mp3\r\n\r#x\rC:\\b.mp3\n\nC:\\c.mp3\r\r\nC:\\d.mp3");
        ASSERT_TRUE(link.LireListe());
        EXPECT_EQ(link.Liste(),
                  (std::vector<std::string>{"C:\\a.mp3", "", "C:\\b.mp3", "", "C:\\c.mp3"}))
            << chunk;
        Playlist(3, "a\r\nb\r\nc");
        ASSERT_TRUE(link.LireListe());
        EXPECT_EQ(link.Liste(), (std::vector<std::string>{"a", "b", "c"})) << chunk;
    }

    Playlist(4, "#EXTM3U\n\nC:\\x.mp3"); // fewer lines: the rest stays empty
    ASSERT_TRUE(link.LireListe());
    EXPECT_EQ(link.Liste(), (std::vector<std::string>{"", "C:\\x.mp3", "", ""}));

    Playlist(2, std::string("C:\\\xC9t\xE9.mp3\nC:\\a\0b.mp3\n", 24));
    ASSERT_TRUE(link.LireListe());
    EXPECT_EQ(link.Liste()[0], "C:\\Été.mp3");
    EXPECT_EQ(link.Liste()[1], std::string("C:\\a\0b.mp3", 10));
}

TEST_F(LinkTest, LookupsRereadOnANewLengthMatchWithoutCaseAndSurviveAMissingFile) {
    Playlist(2, "C:\\Musique\\un.mp3\nC:\\Musique\\deux.mp3\n");
    EXPECT_EQ(link.FichierTitre(2), "C:\\Musique\\deux.mp3");
    EXPECT_EQ(system.reads, 1);
    system.files[kM3u] = "C:\\Autre\\x.mp3\nC:\\Autre\\y.mp3\n"; // same length: not seen
    EXPECT_EQ(link.FichierTitre(1), "C:\\Musique\\un.mp3");
    EXPECT_EQ(link.ChercherTitre("deux.mp3"), 2);
    EXPECT_EQ(system.reads, 1);
    Playlist(3, "C:\\Autre\\x.mp3\nC:\\Autre\\y.mp3\nD:z.mp3\n");
    EXPECT_EQ(link.FichierTitre(1), "C:\\Autre\\x.mp3");
    EXPECT_EQ(system.reads, 2);
    EXPECT_EQ(link.FichierTitre(0), "");
    EXPECT_EQ(link.FichierTitre(4), "");
    EXPECT_EQ(link.FichierTitre(-1), "");

    // Many tracks at once ask the player for its length once.
    window.sent.clear();
    EXPECT_EQ(link.TrackFiles({3, 0, 1, 9}),
              (std::vector<std::string>{"D:z.mp3", "", "C:\\Autre\\x.mp3", ""}));
    EXPECT_EQ(std::count_if(window.sent.begin(), window.sent.end(),
                            [](const SentMessage& m) { return m.lParam == kQueryLength; }),
              1);

    Playlist(4, "C:\\Musique\\morceau.mp3\nD:morceau.mp3\nC:\\Musique\\\xC9t\xE9.mp3\n"
                "C:\\Musique\\Morceau.mp3\n");
    EXPECT_EQ(link.ChercherTitre("Morceau.MP3"), 1);
    EXPECT_EQ(link.ChercherTitre("ÉTÉ.mp3"), 3);
    EXPECT_EQ(link.ChercherTitre("orceau.mp3"), 0);
    EXPECT_EQ(link.ChercherTitre(""), 0);

    // A missing playlist file or an absurd length gives empty text and one message.
    system.files.erase(kM3u);
    window.answers[kQueryLength] = 2;
    const int reads = system.reads;
    EXPECT_EQ(link.FichierTitre(1), "");
    EXPECT_EQ(system.reads, reads + 2);
    EXPECT_EQ(system.shown, std::vector<std::string>{"Le fichier spécifié est introuvable."});
    EXPECT_EQ(link.ChercherTitre("a.mp3"), 0); // the cache has the right length now
    EXPECT_EQ(system.shown.size(), 1u);

    window.answers[kQueryLength] = 0x7fffffff;
    system.files[kM3u] = "C:\\a.mp3\n";
    EXPECT_EQ(link.NbTitres(), kMaxPlaylistEntries);
    EXPECT_EQ(link.FichierTitre(1), "C:\\a.mp3");
    window.answers[kQueryLength] = -5;
    EXPECT_EQ(link.NbTitres(), 0);
    EXPECT_EQ(link.FichierTitre(1), "");
}

// A 5.x player names its folder (338 in UTF-16, else 337); its UTF-8 list is
// read first, unless the request left it as it was; a foobar2000 caption
// counts from 0.
TEST_F(LinkTest, TheFolderThePlayerNamesItsUtf8ListFirstAndOnlyAListTheRequestWrote) {
    EXPECT_EQ(ProfileForProgram("C:\\X\\WACUP.EXE").name, "wacup");
    EXPECT_EQ(ProfileForProgram("").name, "winamp2");
    link.ForcerProfil("WINAMP5");
    window.answers[kQueryPlaylistFolderWide] = 1; // not known: the ANSI question
    window.answers[kQueryPlaylistFolderAnsi] = 0x5000;
    window.memory[0x5000] = "C:\\Donn\xE9"
                            "es";
    window.answers[kQueryLength] = 1;
    system.clock = 1000'000'000;
    system.files["C:\\Données\\winamp.m3u8"] = "\xEF\xBB\xBF"
                                               "C:\\Кино.mp3\r\n";
    system.files["C:\\Données\\winamp.m3u"] = "C:\\K?no \xE9.mp3\r\n";
    ASSERT_TRUE(link.LireListe());
    EXPECT_EQ(link.Liste()[0], "C:\\Кино.mp3");
    system.times["C:\\Données\\winamp.m3u8"] = 1; // left by an older install
    ASSERT_TRUE(link.LireListe());
    EXPECT_EQ(link.Liste()[0], "C:\\K?no é.mp3");
    system.times["C:\\Données\\winamp.m3u"] = 1;
    EXPECT_FALSE(link.LireListe());
    EXPECT_EQ(link.FichierTitre(1), "");
    EXPECT_EQ(system.shown.at(0).rfind(kNoCurrentPlaylist, 0), 0u);
    EXPECT_EQ(TitleFromCaption("0. A - B - Winamp [Paused]", *ProfileNamed("foobar2000")),
              "1. A - B");
}

// Names that compare equal must share their lookup key, or the cache would
// miss them: an overlong two-byte form is not a letter, so "\xC1\x81" is not
// "a" for either.
TEST(FileNames, EqualNamesHaveEqualKeysAndPartsKeysAndLineBreaksReadRightAtEveryLength) {
    const std::pair<std::string, std::string> pairs[] = {{"Été.MP3", "été.mp3"},
                                                         {"ABC", "abc"},
                                                         {"\xC1\x81", "a"},
                                                         {"\xC3\x80", "\xC3\xA0"},
                                                         {"\xC0\x80", std::string(1, '\0')},
                                                         {"\xC3\x97", "\xC3\xB7"}};
    for (const auto& [a, b] : pairs) {
        if (SameFileName(a, b)) {
            EXPECT_EQ(FileNameKey(a), FileNameKey(b)) << a << " / " << b;
        }
    }
    EXPECT_TRUE(SameFileName("Été.MP3", "été.mp3"));
    EXPECT_FALSE(SameFileName("\xC1\x81", "a"));
    EXPECT_FALSE(SameFileName("\xC3\x97", "\xC3\xB7")); // × is not the capital of ÷

    // The file name part and the key read eight bytes at a time: every length and
    // every place of the separator, against a plain reading.
    auto plainPart = [](std::string_view path) {
        std::size_t i = path.size();
        while (i > 0 && path[i - 1] != '\\' && path[i - 1] != ':')
            --i;
        return path.substr(i);
    };
    const std::string upper = "ÉTÉ ÀÉÎÕÜ ABCXYZ 0123456789.MP3";
    const std::string lower = "été àéîõü abcxyz 0123456789.mp3";
    for (std::size_t length = 0; length <= upper.size(); ++length) {
        const std::string name = upper.substr(0, length), small = lower.substr(0, length);
        for (std::size_t at = 0; at <= length; ++at) {
            for (const char separator : {'\\', ':'}) {
                std::string path = name;
                path.insert(at, 1, separator);
                EXPECT_EQ(FileNamePart(path), plainPart(path)) << path;
            }
        }
        EXPECT_EQ(FileNamePart(name), name);
        ASSERT_TRUE(SameFileName(name, small)) << name << " / " << small;
        EXPECT_EQ(FileNameKey(name), FileNameKey(small)) << name;
    }
    EXPECT_NE(FileNameKey("piste1.mp3"), FileNameKey("piste2.mp3"));

    // The first line break is found at every place and from every start.
    for (std::size_t length = 0; length <= 20; ++length) {
        for (std::size_t at = 0; at <= length; ++at) {
            for (const char brk : {'\r', '\n'}) {
                std::string text(length, 'x');
                if (at < length) text[at] = brk;
                for (std::size_t from = 0; from <= length; ++from) {
                    const std::size_t expected =
                        at < length && at >= from ? at : std::string_view::npos;
                    EXPECT_EQ(FindLineBreak(text, from), expected) << length << " " << at;
                }
            }
        }
    }
    EXPECT_EQ(FindLineBreak("\xE9t\xE9\x8D\x8A ok\n", 0), 8u); // bytes that differ in one bit
}

TEST_F(PathTest, TheDefaultPathIsKeptWhenThereElseTheUserIsAskedAndWhatTheyLeaveIsStored) {
    system.files[kDefaultWinampPath] = "MZ";
    EXPECT_EQ(ResolveWinampPath(store, system), kDefaultWinampPath);
    EXPECT_EQ(Stored(), kDefaultWinampPath);

    system.files.clear();
    system.registered = "E:\\absent.exe";
    system.typed = "F:\\W\\winamp.exe";
    system.files["F:\\W\\winamp.exe"] = "MZ";
    EXPECT_EQ(ResolveWinampPath(store, system), "F:\\W\\winamp.exe");
    // Asked once (not before), and told once at the end (neither before).
    EXPECT_EQ(system.asked, std::vector<std::string>{std::string(kPrompt) + "E:\\absent.exe"});

    system.typed = "n'importe quoi";
    system.files.clear();
    EXPECT_EQ(ResolveWinampPath(store, system), "n'importe quoi");
    EXPECT_EQ(system.shown, std::vector<std::string>{kInstall});
}
