#include "SettingsFixture.h"

using namespace pilotune;
using pilotune::testing::SettingsFixture;

TEST(SettingsPath, FollowsTheFourNameRules) {
    EXPECT_EQ(SettingsStore::ResolvePath("", "C:\\Outils\\pilote.exe"), "C:\\Outils\\pilote.ini");
    EXPECT_EQ(SettingsStore::ResolvePath("", "D:\\Prog\\Pilotune.exe"), "D:\\Prog\\Pilotune.ini");
    EXPECT_EQ(SettingsStore::ResolvePath("", "D:\\v1.2\\Pilotune.exe"), "D:\\v1.2\\Pilotune.ini");
    EXPECT_EQ(SettingsStore::ResolvePath("autre", "C:\\Outils\\pilote.exe"),
              "C:\\Outils\\autre.ini");
    EXPECT_EQ(SettingsStore::ResolvePath("autre.cfg", "C:\\Outils\\pilote.exe"),
              "C:\\Outils\\autre.cfg");
    EXPECT_EQ(SettingsStore::ResolvePath("E:\\x\\y.ini", "C:\\Outils\\pilote.exe"), "E:\\x\\y.ini");
}

using SettingsStoreTest = SettingsFixture;

TEST_F(SettingsStoreTest, MissingFileIsAnEmptyStoreCreatedAtFirstFlush) {
    SettingsStore store;
    Open(store);
    EXPECT_EQ(store.Path(), (dir / "pilote.ini").string());
    EXPECT_EQ(store.ReadInteger("Option", "NbBoucle", 9, true), 9);
    EXPECT_EQ(store.ReadText("Copie", "Chemin", "C:\\Music", true), "C:\\Music");
    EXPECT_TRUE(store.ReadBoolean("Divers", "MAJ", true, true));
    EXPECT_FALSE(std::filesystem::exists(ini));

    store.WriteInteger("Option", "NbBoucle", 4, true);
    const SaveResult r = store.Flush();
    EXPECT_TRUE(r.ok) << r.reason;
    EXPECT_EQ(FileBytes(), "[abc Option]\r\nNbBoucle=4\r\n");
    EXPECT_FALSE(std::filesystem::exists(dir / "pilote.ini.tmp"));

    SettingsStore never; // not open: saves nothing and says so
    EXPECT_FALSE(never.Flush().ok);
}

TEST_F(SettingsStoreTest, IntegersAndBooleansParseOrGiveTheDefault) {
    WriteFile("[abc Option]\nA=0x10\nB=-12\nC=+7\nD=12abc\nE=\nF=99999999999\nG=0xFFFFFFFF\n"
              "H= 42 \nI=0x\nT=1\nU=0\nV=5\nW=oui\n");
    SettingsStore store;
    Open(store);
    EXPECT_EQ(store.ReadInteger("Option", "A", 0, true), 16);
    EXPECT_EQ(store.ReadInteger("Option", "B", 0, true), -12);
    EXPECT_EQ(store.ReadInteger("Option", "C", 0, true), 7);
    EXPECT_EQ(store.ReadInteger("Option", "D", 3, true), 3);
    EXPECT_EQ(store.ReadInteger("Option", "E", 3, true), 3);
    EXPECT_EQ(store.ReadInteger("Option", "F", 3, true), 3);
    EXPECT_EQ(store.ReadInteger("Option", "G", 3, true), -1);
    EXPECT_EQ(store.ReadInteger("Option", "H", 3, true), 42);
    EXPECT_EQ(store.ReadInteger("Option", "I", 3, true), 3);
    EXPECT_TRUE(store.ReadBoolean("Option", "T", false, true));
    EXPECT_FALSE(store.ReadBoolean("Option", "U", true, true));
    EXPECT_TRUE(store.ReadBoolean("Option", "V", false, true));
    EXPECT_TRUE(store.ReadBoolean("Option", "W", true, true));
    EXPECT_FALSE(store.ReadBoolean("Option", "W", false, true));

    store.WriteInteger("Option", "A", -2147483647 - 1, true);
    store.WriteBoolean("Option", "T", false, true);
    EXPECT_EQ(store.ReadText("Option", "A", "", true), "-2147483648");
    EXPECT_EQ(store.ReadInteger("Option", "A", 0, true), -2147483647 - 1);
    EXPECT_EQ(store.ReadText("Option", "T", "", true), "0");
}

TEST_F(SettingsStoreTest, NamesCompareWithoutCaseAccentedCapitalsIncluded) {
    WriteFile(codec.Encode("[ABC OPTION]\nNBBOUCLE=3\n[abc Programme ÉTÉ]\nProgNb=2\n"));
    SettingsStore store;
    Open(store, "Abc");
    EXPECT_EQ(store.ReadInteger("option", "nbboucle", 0, true), 3);
    EXPECT_EQ(store.ReadInteger("Programme été", "PROGNB", 0, true), 2);
    store.WriteInteger("Option", "NbBoucle", 5, true);
    store.WriteInteger("PROGRAMME Été", "prognb", 6, true);
    ASSERT_TRUE(store.Flush().ok);
    EXPECT_EQ(codec.Decode(FileBytes()),
              "[ABC OPTION]\r\nNBBOUCLE=5\r\n\r\n[abc Programme ÉTÉ]\r\nProgNb=6\r\n");
}

TEST_F(SettingsStoreTest, SaveKeepsOrderCommentsAndOtherUsersUntouched) {
    WriteFile("; réglages\r\n[zoe Option]\r\nNbBoucle=2\r\nSecret=x\r\n\r\n[abc Option]\r\n"
              "Z=1\r\nA=2\r\n[zoe Clavier]\r\nClavierNb=0\r\n");
    SettingsStore store;
    Open(store);
    store.WriteInteger("Option", "A", 20, true);
    store.WriteInteger("Option", "M", 30, true);
    store.WriteBoolean("Divers", "MAJ", true, true);
    ASSERT_TRUE(store.Flush().ok);
    EXPECT_EQ(FileBytes(), "; réglages\r\n[zoe Option]\r\nNbBoucle=2\r\nSecret=x\r\n\r\n"
                           "[abc Option]\r\nZ=1\r\nA=20\r\nM=30\r\n\r\n[zoe Clavier]\r\n"
                           "ClavierNb=0\r\n\r\n[abc Divers]\r\nMAJ=1\r\n");
}

TEST_F(SettingsStoreTest, TextGoesThroughTheCodePageAndKeepsItsInnerBlanks) {
    SettingsStore store;
    Open(store);
    store.WriteText("Option", "Dernière", "Lecture à « été »  fin", true);
    store.WriteText("Option", "Euro", "5 € – ok ☺", true);
    ASSERT_TRUE(store.Close().ok);
    const std::string bytes = FileBytes();
    EXPECT_NE(bytes.find("Derni\xE8re=Lecture \xE0 \xAB \xE9t\xE9 \xBB  fin\r\n"),
              std::string::npos);
    EXPECT_NE(bytes.find("Euro=5 \x80 \x96 ok ?\r\n"), std::string::npos);

    SettingsStore again;
    Open(again);
    EXPECT_EQ(again.ReadText("Option", "DERNIÈRE", "", true), "Lecture à « été »  fin");
    EXPECT_EQ(again.ReadText("Option", "Euro", "", true), "5 € – ok ?");
}

TEST_F(SettingsStoreTest, DatesUseTheDateCodecAndUnreadableTextsGiveTheDefault) {
    WriteFile("[abc Planification]\nEffectuer 0=0\nEffectuer 1=31/02/2024\nEffectuer 2=1/3/2024\n");
    SettingsStore store;
    Open(store);
    EXPECT_EQ(store.ReadDate("Planification", "Effectuer 0", 0, true), 0);
    EXPECT_EQ(store.ReadDate("Planification", "Effectuer 1", -7, true), -7);
    EXPECT_EQ(store.ReadDate("Planification", "Effectuer 2", 0, true), 45352);
    store.WriteDate("Planification", "Effectuer 0", 0, true);
    EXPECT_EQ(store.ReadText("Planification", "Effectuer 0", "", true), "0");
    EXPECT_EQ(store.ReadDate("Planification", "Effectuer 0", 99, true), 0);
}

// An empty user name gives plain section names.
TEST_F(SettingsStoreTest, ValuesSurviveRewritesAndAMoveOfTheStore) {
    WriteFile("[O]\nK=v\n"); // small enough to sit inside a string object
    SettingsStore store;
    Open(store, "");
    for (int i = 0; i < 1000; ++i)
        store.WriteInteger("O", "N", i, true);
    store.WriteText("O", "K", "nouvelle valeur plus longue que seize", true);
    SettingsStore moved(std::move(store));
    EXPECT_EQ(moved.ReadInteger("O", "N", -1, true), 999);
    EXPECT_EQ(moved.ReadText("O", "K", "", true), "nouvelle valeur plus longue que seize");
    SettingsStore small;
    Open(small, "");
    small = std::move(moved);
    EXPECT_EQ(small.ReadText("O", "K", "", true), "nouvelle valeur plus longue que seize");
    ASSERT_TRUE(small.Close().ok);
    EXPECT_EQ(FileBytes(), "[O]\r\nK=nouvelle valeur plus longue que seize\r\nN=999\r\n");
}
