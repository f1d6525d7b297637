// One settings file shared by several Windows users: names outside the code
// page, sessions that overlap.
#include "SettingsFixture.h"

#include "settings/Option.h"

using namespace pilotune;
using pilotune::testing::SettingsFixture;

using SettingsSharedFile = SettingsFixture;

namespace {

std::size_t Count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

} // namespace

// The sessions themselves (one set of sections after several restarts) run
// with the real code page in the Windows settings tests; here, the names the
// program holds in either form, and the current programme found again.
TEST_F(SettingsSharedFile, AUserNameOutsideTheCodePageFindsItsSectionsAndProgrammeAgain) {
    {
        SettingsStore store;
        Open(store, "Łukasz");
        COption options;
        options.Programme = {{1, 0, 0, "a.mp3"}, {2, 5, 9, "b.mp3"}};
        options.ProgTitre = "Łódź";
        options.Save(store);
        ASSERT_TRUE(store.Close().ok);
    }
    EXPECT_EQ(Count(FileBytes(), "[?ukasz Programme ?\xF3"
                                 "d?]"),
              1u)
        << FileBytes();

    SettingsStore store;
    Open(store, "Łukasz");
    EXPECT_EQ(store.UserName(), "?ukasz");
    EXPECT_EQ(store.ReadText("Programme Łódź", "ProgT 1", "", true), "b.mp3");
    EXPECT_EQ(store.ReadText("Programme ?ód?", "ProgT 1", "", true), "b.mp3");
    EXPECT_EQ(store.AsStored(" Łódź "), "?ód?");
    COption options;
    options.Load(store, [](const std::string& name) { return name == "b.mp3" ? 7 : 3; });
    EXPECT_EQ(options.ProgTitre, "?ód?");
    ASSERT_EQ(options.Programme.size(), 2u);
    EXPECT_EQ(options.Programme[1].N, 7);
    EXPECT_EQ(options.Programme[1].F, 9);

    // Another user whose name is plain ASCII does not see them.
    SettingsStore other;
    Open(other, "Lukasz");
    EXPECT_EQ(other.ReadText("Programme Łódź", "ProgT 1", "", true), "");
}

TEST_F(SettingsSharedFile, NamesInAFileSavedAsUtf8AreFoundAsTheCodePageWillHoldThem) {
    WriteFile("\xEF\xBB\xBF[Łukasz Option]\r\nNbBoucle=4\r\n[Łukasz Programme Łódź]\r\nProgNb=2\r\n"
              "[Łukasz Copie]\r\nClé ☺=x\r\n");
    SettingsStore store;
    Open(store, "Łukasz");
    EXPECT_EQ(store.ReadInteger("Option", "NbBoucle", 0, true), 4);
    EXPECT_EQ(store.ReadInteger("Programme Łódź", "ProgNb", 0, true), 2);
    EXPECT_EQ(store.ReadText("Copie", "Clé ☺", "", true), "x");
    store.WriteInteger("Option", "NbBoucle", 6, true);
    ASSERT_TRUE(store.Close().ok);
    EXPECT_EQ(Count(FileBytes(), "[?ukasz Option]"), 1u) << FileBytes();
}

TEST_F(SettingsSharedFile, OverlappingSessionsOfTwoUsersKeepEachOthersChanges) {
    WriteFile("[alice Option]\r\nNbBoucle=1\r\n[bob Option]\r\nNbBoucle=1\r\n[Commun]\r\nA=0\r\n");
    SettingsStore alice, bob;
    Open(alice, "alice");
    Open(bob, "bob");
    EXPECT_EQ(alice.ReadInteger("Option", "NbBoucle", 0, true), 1);
    alice.WriteInteger("Option", "NbBoucle", 2, true);
    alice.WriteText("Programme Été", "ProgNb", "3", true);
    bob.WriteInteger("Option", "NbBoucle", 5, true);
    bob.WriteText("Commun", "B", "de bob", false);
    alice.WriteText("Commun", "A", "d'alice", false);

    ASSERT_TRUE(alice.Flush().ok);
    ASSERT_TRUE(bob.Flush().ok); // bob leaves last: alice's session stays on disk
    {
        SettingsStore reader;
        Open(reader, "alice");
        EXPECT_EQ(reader.ReadInteger("Option", "NbBoucle", 0, true), 2);
        EXPECT_EQ(reader.ReadInteger("Programme Été", "ProgNb", 0, true), 3);
        EXPECT_EQ(reader.ReadInteger("bob Option", "NbBoucle", 0, false), 5);
        EXPECT_EQ(reader.ReadText("Commun", "A", "", false), "d'alice");
        EXPECT_EQ(reader.ReadText("Commun", "B", "", false), "de bob");
    }

    // Both go on; bob's store now also holds what alice saved, and alice's
    // next save keeps what bob saved meanwhile.
    EXPECT_EQ(bob.ReadInteger("alice Option", "NbBoucle", 0, false), 2);
    bob.WriteInteger("Option", "NbExtrait", 30, true);
    ASSERT_TRUE(bob.Close().ok);
    alice.WriteInteger("Option", "NbExtrait", 20, true);
    ASSERT_TRUE(alice.Close().ok);
    SettingsStore reader;
    Open(reader, "bob");
    EXPECT_EQ(reader.ReadInteger("Option", "NbBoucle", 0, true), 5);
    EXPECT_EQ(reader.ReadInteger("Option", "NbExtrait", 0, true), 30);
    EXPECT_EQ(reader.ReadInteger("alice Option", "NbExtrait", 0, false), 20);
    EXPECT_EQ(Count(FileBytes(), "[bob Option]"), 1u);
    EXPECT_EQ(Count(FileBytes(), "[alice Option]"), 1u);
}

TEST_F(SettingsSharedFile, OurOwnSectionsAreWrittenWholeEvenIfTheFileWasEmptiedMeanwhile) {
    WriteFile("[abc Option]\r\nNbBoucle=4\r\nNbExtrait=7\r\n; note\r\nNbExtrait=8\r\n");
    SettingsStore store;
    Open(store);
    EXPECT_EQ(store.ReadInteger("Option", "NbBoucle", 0, true), 4);
    WriteFile("[zoe Option]\r\nNbBoucle=1\r\n"); // someone else replaced the whole file
    store.WriteInteger("Option", "NbBoucle", 5, true);
    ASSERT_TRUE(store.Flush().ok);
    EXPECT_EQ(FileBytes(), "[zoe Option]\r\nNbBoucle=1\r\n\r\n[abc Option]\r\nNbBoucle=5\r\n"
                           "NbExtrait=7\r\n; note\r\nNbExtrait=8\r\n");
    EXPECT_EQ(store.ReadInteger("Option", "NbExtrait", 0, true), 7);
    store.WriteInteger("Option", "NbExtrait", 9, true);
    EXPECT_EQ(store.ReadInteger("Option", "NbExtrait", 0, true), 9);
}
