#include "SettingsFixture.h"

#include <algorithm>
#include <tuple>

#include "player/Playlist.h"
#include "settings/Option.h"
#include "settings/SettingsValues.h"

using namespace pilotune;
using pilotune::testing::SettingsFixture;

namespace {

// A playlist of file names, looked up as the player link does.
TrackLookup Playlist(std::vector<std::string> names) {
    return [names](const std::string& name) {
        const auto at = std::ranges::find_if(names, [&](auto& n) { return SameFileName(n, name); });
        return at == names.end() ? 0 : static_cast<int>(at - names.begin()) + 1;
    };
}

} // namespace

using OptionTest = SettingsFixture;

TEST_F(OptionTest, NoFileGivesTheDocumentedDefaultsAndStoredValuesFollowTheReadingRules) {
    SettingsStore store = Opened();
    COption o;
    o.NbBoucle = o.NbExtrait = o.Transparent = 0;
    o.MAJ = false;
    o.CopyPath.clear();
    o.Bindings.clear();
    o.Load(store, Playlist({}));
    EXPECT_EQ(std::tie(o.NbBoucle, o.NbExtrait, o.Transparent, o.ProgPos, o.ProgNb),
              std::tuple(9, 10, 100, 0, 0));
    EXPECT_TRUE(o.MAJ && !o.ClavierActiver);
    EXPECT_EQ(std::tie(o.CopyPath, o.ProgTitre), std::tuple("C:\\Music", "PlayList"));
    EXPECT_TRUE(o.Programme.empty());
    const std::vector<TCla> expected = {{true, 3, "Touche P.Précédent", ""},
                                        {true, 7, "Touche P.Suivant", ""},
                                        {true, 5, "Touche Lec/Pause", ""},
                                        {true, 6, "Touche Stop", ""}};
    EXPECT_EQ(o.Bindings, expected);
    EXPECT_EQ(
        std::tie(o.AfficheVolume, o.AfficheTitre, o.AfficheCoin, o.FichierEnCours, o.ModeleEnCours),
        std::tuple(true, false, 3, "", "{artist} - {title}"));

    WriteFile("[abc Option]\nNbBoucle=-5\nNbExtrait=0\nTransparent=0x10\n"
              "AfficheCoin=7\nModeleEnCours=\n"
              "[abc Programme]\nProgPos=2\nProgEnreg=1\nProgLecture=1\n"
              "[abc Clavier]\nClavierNb=0\nClavierActiver=1\n"
              "[bob Option]\nNbBoucle=77\n");
    store = Opened();
    o = COption();
    o.Load(store, Playlist({}));
    EXPECT_EQ(std::tie(o.NbBoucle, o.NbExtrait, o.Transparent, o.ProgPos),
              std::tuple(1, 0, 16, -3));
    EXPECT_TRUE(!o.ProgEnreg && o.ProgLecture && o.ClavierActiver);
    EXPECT_TRUE(o.Bindings.empty());
    EXPECT_EQ(std::tie(o.AfficheCoin, o.ModeleEnCours), std::tuple(3, "{artist} - {title}"));

    // The save writes the values in memory, the resume mark unchanged.
    o.Save(store);
    EXPECT_EQ(store.ReadInteger("Programme", "ProgPos", 0, true), -3);
    EXPECT_EQ(store.ReadText("Programme", "ProgEnreg", "", true), "0");
    EXPECT_EQ(store.ReadInteger("Clavier", "ClavierNb", -1, true), 0);
}

TEST_F(OptionTest, SaveAndLoadGiveBackEveryPersistedField) {
    SettingsStore store = Opened();
    COption a;
    a.CacheAuto = a.CacheWA = a.AffichageNeg = a.LancerDemarrageWindows = true;
    a.Systray = a.FermerWA = a.ClavierActiver = a.AfficheBT = a.ProgLecture = true;
    a.MAJ = false;
    a.NbBoucle = 4;
    a.NbExtrait = 25;
    a.Transparent = 60;
    a.ProgTitre = "Soirée";
    a.ProgPos = 1;
    a.CopyPath = "D:\\Musique à copier";
    a.Bindings = {{false, 16, "Ctrl + Touche F5", "Soirée"}, {true, 2, "Touche F9", "C:\\x.exe"}};
    a.Programme = {{1, 30, 90, "b.mp3"}, {2, 0, 0, "a.mp3"}};
    a.AfficheVolume = false;
    a.AfficheTitre = true;
    a.AfficheCoin = 0;
    a.FichierEnCours = "C:\\Flux\\en cours ♪ 曲.txt";
    a.ModeleEnCours = "{number}. {title}";
    a.Save(store);
    ASSERT_TRUE(store.Close().ok);

    SettingsStore again = Opened();
    COption b;
    b.Load(again, Playlist({"A.MP3", "b.mp3"}));
    EXPECT_TRUE(b.CacheAuto && b.CacheWA && b.AffichageNeg && b.LancerDemarrageWindows);
    EXPECT_TRUE(b.Systray && b.FermerWA && b.ClavierActiver && b.AfficheBT && b.ProgLecture);
    EXPECT_FALSE(b.MAJ);
    EXPECT_EQ(std::tie(b.NbBoucle, b.NbExtrait, b.Transparent, b.ProgPos),
              std::tuple(4, 25, 60, -2));
    EXPECT_EQ(std::tie(b.ProgTitre, b.CopyPath), std::tuple("Soirée", "D:\\Musique à copier"));
    EXPECT_EQ(b.Bindings, a.Bindings);
    EXPECT_EQ(
        std::tie(b.AfficheVolume, b.AfficheTitre, b.AfficheCoin, b.FichierEnCours, b.ModeleEnCours),
        std::tie(a.AfficheVolume, a.AfficheTitre, a.AfficheCoin, a.FichierEnCours,
                 a.ModeleEnCours));
    ASSERT_EQ(b.ProgNb, 2);
    // Track numbers come from the current playlist, not from the file.
    const TProg& first = b.Programme[0];
    EXPECT_EQ(std::tie(first.N, first.T, first.D, first.F), std::tuple(2, "b.mp3", 30, 90));
    EXPECT_EQ(b.Programme[1].N, 1);
}

TEST_F(OptionTest, ProgrammeStorageAndDamagedCountsWithinBounds) {
    SettingsStore store = Opened();
    COption o;
    o.ProgTitre = "x";
    o.Programme = {{1, 0, 0, "a.mp3"}, {2, 0, 0, "b.mp3"}, {3, 0, 0, "c.mp3"}};
    // The first programme of a file becomes the known one and the current one.
    o.ProgrammeSave(store, "");
    EXPECT_EQ(o.ProgTitre, "PlayList");
    EXPECT_EQ(store.ReadText("Programme", "ProgTitre 0", "", true), "PlayList");
    EXPECT_EQ(store.ReadText("Programme PlayList", "ProgT 2", "", true), "c.mp3");

    // Later saves leave the list of names alone.
    o.ProgrammeSave(store, "Autre");
    EXPECT_EQ(o.ProgTitre, "PlayList");
    EXPECT_EQ(store.ReadInteger("Programme", "nbProgTitre", 0, true), 1);

    // A shrunk programme leaves the old keys, which the count hides.
    o.Programme.resize(1);
    o.ProgrammeSave(store, "PlayList");
    EXPECT_EQ(store.ReadText("Programme PlayList", "ProgT 2", "", true), "c.mp3");
    COption r;
    r.ProgrammeLoad(store, "PlayList", false, Playlist({"c.mp3", "a.mp3"}));
    EXPECT_EQ(r.ProgTitre, "PlayList");
    ASSERT_EQ(r.ProgNb, 1);
    EXPECT_EQ(r.Programme[0].N, 2);

    // A missing programme.
    r.ProgrammeLoad(store, "Inconnu", true, Playlist({"a.mp3"}));
    EXPECT_EQ(r.ProgTitre, "Inconnu");
    EXPECT_EQ(r.ProgNb, 0);
    EXPECT_TRUE(r.Programme.empty());

    // Damaged counts and actions stay within bounds.
    WriteFile("[abc Programme]\nProgTitre=P\nProgPos=-2147483648\n"
              "[abc Programme P]\nProgNb=2000000000\n"
              "[abc Clavier]\nClavierNb=-7\n");
    store = Opened();
    o = COption();
    o.Load(store, Playlist({}));
    EXPECT_EQ(o.ProgNb, 0); // no row beyond the last one the section holds
    EXPECT_TRUE(o.Programme.empty());
    EXPECT_EQ(o.ProgPos, 2147483647);
    EXPECT_EQ(o.Bindings.size(), 4u); // a negative count reads as missing

    store.WriteText("Clavier", "ClavierNb", "3", true);
    store.WriteText("Clavier", "Action 0", "300", true);
    store.WriteText("Clavier", "Action 1", "-1", true);
    store.WriteText("Clavier", "Action 2", "40", true); // the last action, after ARIEN
    store.WriteText("Option", "PasVolume", "0", true);
    store.WriteText("Option", "PasSecondes", "30", true);
    store.WriteText("Clavier", "Activer 1", "non", true);
    o.Load(store, Playlist({}));
    ASSERT_EQ(o.Bindings.size(), 3u);
    EXPECT_EQ(o.Bindings[0].Action, kActionNothing);
    EXPECT_EQ(o.Bindings[1].Action, kActionNothing);
    EXPECT_TRUE(o.Bindings[1].Activer);
    EXPECT_EQ(o.Bindings[2].Action, 40);
    EXPECT_EQ(std::pair(o.VolumeStep, o.SeekStep), std::pair(5, 30)); // 0 % is no step
}

// A hand-edited count far beyond the rows the file holds: the bindings
// without a key are not written back, and no row of the longer list stays.
TEST_F(OptionTest, SavingKeepsOnlyBindingsWithAKeyAndDropsStaleRows) {
    std::string file = "[abc Clavier]\nClavierNb=10000\nTouche 0=Touche F1\nAction 0=2\n"
                       "Touche 5=\nActiver 7000=1\nTouche 9999=Touche F2\nChemin 9999=C:\\a.exe\n"
                       "Touche 10000=Touche F9\nTouche 10001=Touche F10\nactiver 7000=0\n";
    WriteFile(file);
    SettingsStore store = Opened();
    COption o;
    o.Load(store, Playlist({}));
    ASSERT_EQ(o.Bindings.size(), 10000u);
    o.Save(store);
    ASSERT_TRUE(store.Close().ok);
    const std::string saved = FileBytes();
    EXPECT_NE(saved.find("ClavierNb=2\r\n"), std::string::npos) << saved;
    for (const char* kept : {"Touche 0=Touche F1\r\n", "Action 0=2\r\n", "Touche 1=Touche F2\r\n",
                             "Chemin 1=C:\\a.exe\r\n"})
        EXPECT_NE(saved.find(kept), std::string::npos) << kept << saved;
    for (const char* gone : {"Touche 5", "Activer 7000", "9999", "Touche 10000", "Touche 10001"})
        EXPECT_EQ(saved.find(gone), std::string::npos) << gone;
    const std::size_t section = saved.find("[abc Clavier]");
    const std::string clavier = saved.substr(section, saved.find('[', section + 1) - section);
    EXPECT_EQ(std::count(clavier.begin(), clavier.end(), '\n'), 12) << clavier; // 2 rows

    // A removed key reads as missing; written again, it is back.
    SettingsStore again = Opened();
    again.DeleteKey("Clavier", "Touche 1", true);
    EXPECT_FALSE(again.HasKey("Clavier", "Touche 1", true));
    EXPECT_EQ(again.ReadText("Clavier", "Touche 1", "absente", true), "absente");
    again.WriteText("Clavier", "Touche 1", "Touche F3", true);
    EXPECT_EQ(again.ReadText("Clavier", "Touche 1", "", true), "Touche F3");
}
