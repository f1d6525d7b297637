// The stored binding and programme lists: the bytes written are those of
// earlier versions, and damaged lists read as their defaults.
#include "SettingsFixture.h"
#include "settings/BindingList.h"
#include "settings/Option.h"
#include "settings/ProgrammeList.h"

using namespace pilotune;

namespace {

// The track number of a file is the length of its name.
const TrackLookup kByLength = [](const std::string& name) { return static_cast<int>(name.size()); };

} // namespace

using ListFormats = pilotune::testing::SettingsFixture;

TEST_F(ListFormats, BindingsAndProgrammesKeepTheirStoredBytesAndReadBackAsWritten) {
    WriteFile("[abc Clavier]\r\nClavierNb=3\r\nTouche 2=Touche F7\r\nActiver 5=0\r\n");
    SettingsStore store = Opened();
    const std::vector<TCla> bindings = {{false, 16, "Ctrl + Touche F5", "Soirée"},
                                        {true, 5, "", "sans touche"},
                                        {true, kActionNothing, "Touche F9", "C:\\x.exe"}};
    WriteBindings(store, bindings);
    EXPECT_TRUE(WriteProgramme(store, "", {{3, 30, 90, "b.mp3"}, {0, 0, 0, "Été.mp3"}}));
    EXPECT_FALSE(WriteProgramme(store, "Soir", {})); // a name is known now
    ASSERT_TRUE(store.Close().ok);
    // A row without a key is not written, nor is the third row of before.
    EXPECT_EQ(FileBytes(), "[abc Clavier]\r\nClavierNb=2\r\nActiver 5=0\r\nActiver 0=0\r\n"
                           "Action 0=16\r\nTouche 0=Ctrl + Touche F5\r\nChemin 0=Soir\xe9"
                           "e\r\nActiver 1=1\r\nAction 1=32\r\nTouche 1=Touche F9\r\n"
                           "Chemin 1=C:\\x.exe\r\n\r\n[abc Programme]\r\nnbProgTitre=1\r\n"
                           "ProgTitre 0=PlayList\r\n\r\n[abc Programme PlayList]\r\nProgNb=2\r\n"
                           "ProgN 0=3\r\nProgT 0=b.mp3\r\nProgD 0=30\r\nProgF 0=90\r\nProgN 1=0\r\n"
                           "ProgT 1=\xc9t\xe9.mp3\r\nProgD 1=0\r\nProgF 1=0\r\n\r\n"
                           "[abc Programme Soir]\r\nProgNb=0\r\n");

    store = Opened();
    EXPECT_EQ(ReadBindings(store), (std::vector<TCla>{bindings[0], bindings[2]}));
    EXPECT_EQ(ReadProgramme(store, "PlayList", kByLength),
              (std::vector<TProg>{{5, 30, 90, "b.mp3"}, {9, 0, 0, "Été.mp3"}}));
    EXPECT_EQ(ReadStoredProgrammeNames(store), std::vector<std::string>{"PlayList"});
}

TEST_F(ListFormats, DamagedListsReadAsTheirDefaultsWithinTheRowsStored) {
    WriteFile("[abc Clavier]\nClavierNb=0x3\nAction 0=300\nActiver 0=non\nTouche 1=T\n"
              "Action 2=-4\nChemin 2=c\n[abc Programme]\nnbProgTitre=9\nProgTitre 0=Soir\n"
              "ProgTitre 2=Matin\n[abc Programme Soir]\nProgNb=99\nProgT 0=a.mp3\nProgD 0=x\n"
              "ProgT 2=ccc.mp3\nProgF 2=7\nProgN 4=abc\n[abc Programme Vide]\nProgNb=-1\n");
    SettingsStore store = Opened();
    EXPECT_EQ(ReadBindings(store), (std::vector<TCla>{{true, kActionNothing, "", ""},
                                                      {true, 0, "T", ""},
                                                      {true, kActionNothing, "", "c"}}));
    // Rows 1 and 3 were never written; row 4 has a number but no file name.
    EXPECT_EQ(ReadProgramme(store, "Soir", kByLength),
              (std::vector<TProg>{{5, 0, 0, "a.mp3"}, {7, 0, 7, "ccc.mp3"}, {0, 0, 0, ""}}));
    EXPECT_TRUE(ReadProgramme(store, "Vide", kByLength).empty());
    EXPECT_EQ(ReadStoredProgrammeNames(store), (std::vector<std::string>{"Soir", "", "Matin"}));
}
