// One settings file shared by several Windows users: names outside the code
// page, sessions that overlap, saves at the same moment.
#include "SettingsFixture.h"

#include <thread>

#include "settings/Option.h"
#include "settings/SettingsFiles.h"

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

TEST_F(SettingsSharedFile, AUserNameOutsideTheCodePageFindsItsSectionsAfterARestart) {
    for (int session = 1; session <= 3; ++session) {
        SettingsStore store;
        Open(store, "Łukasz");
        EXPECT_EQ(store.ReadInteger("Option", "NbOuvert", 0, true), session - 1)
            << "session " << session;
        store.WriteInteger("Option", "NbOuvert", session, true);
        store.WriteText("Programme Łódź", "ProgT 0", "Été.mp3", true);
        ASSERT_TRUE(store.Close().ok);
    }
    // One set of sections, under the name as the code page holds it.
    const std::string bytes = FileBytes();
    EXPECT_EQ(Count(bytes, "[?ukasz Option]"), 1u) << bytes;
    EXPECT_EQ(Count(bytes, "[?ukasz Programme ?\xF3"
                           "d?]"),
              1u)
        << bytes;

    // The programme the user made is found again by its name, whichever form
    // of it the program holds (typed now, or read back from the file).
    SettingsStore store;
    Open(store, "Łukasz");
    EXPECT_EQ(store.UserName(), "?ukasz");
    EXPECT_EQ(store.ReadText("Programme Łódź", "ProgT 0", "", true), "Été.mp3");
    EXPECT_EQ(store.ReadText("Programme ?ód?", "ProgT 0", "", true), "Été.mp3");
    EXPECT_EQ(store.AsStored(" Łódź "), "?ód?");

    // Another user whose name is plain ASCII does not see them.
    SettingsStore other;
    Open(other, "Lukasz");
    EXPECT_EQ(other.ReadInteger("Option", "NbOuvert", 0, true), 0);
}

TEST_F(SettingsSharedFile, TheCurrentProgrammeWithANameOutsideTheCodePageLoadsAfterARestart) {
    {
        SettingsStore store;
        Open(store, "Łukasz");
        COption options;
        options.Programme = {{1, 0, 0, "a.mp3"}, {2, 5, 9, "b.mp3"}};
        options.ProgTitre = "Łódź";
        options.Save(store);
        ASSERT_TRUE(store.Close().ok);
    }
    SettingsStore store;
    Open(store, "Łukasz");
    COption options;
    options.Load(store, [](const std::string& name) { return name == "b.mp3" ? 7 : 3; });
    EXPECT_EQ(options.ProgTitre, "?ód?");
    ASSERT_EQ(options.Programme.size(), 2u);
    EXPECT_EQ(options.Programme[1].N, 7);
    EXPECT_EQ(options.Programme[1].F, 9);
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

TEST_F(SettingsSharedFile, TheVersionOfTheFileIsKnownAfterASaveAndAfterARead) {
    const PortableSettingsFiles files;
    const std::string path = ini.string();
    EXPECT_FALSE(files.Stamp(path).exists);
    const FileReplace first = files.Replace(path, "[a]\r\nA=1\r\n", nullptr);
    ASSERT_TRUE(first.ok) << first.reason;
    EXPECT_EQ(files.Stamp(path), first.written);
    EXPECT_EQ(files.Read(path).stamp, first.written);
    const FileReplace second = files.Replace(path, "[a]\r\nA=2\r\n", &first.written);
    ASSERT_TRUE(second.ok) << second.reason;
    EXPECT_NE(second.written, first.written);
    const FileReplace stale = files.Replace(path, "[a]\r\nA=3\r\n", &first.written);
    EXPECT_TRUE(stale.conflict);
    EXPECT_EQ(FileBytes(), "[a]\r\nA=2\r\n");
}

TEST_F(SettingsSharedFile, ReplacesAtTheSameMomentEachUseTheirOwnTemporaryFile) {
    const PortableSettingsFiles files;
    const std::string path = ini.string();
    const std::string contents[2] = {std::string(50000, 'a'), std::string(70000, 'b')};
    int failures[2] = {0, 0};
    auto writer = [&](int who) {
        for (int i = 0; i < 200; ++i)
            if (!files.Replace(path, contents[who], nullptr).ok) ++failures[who];
    };
    std::thread a(writer, 0), b(writer, 1);
    a.join();
    b.join();
    EXPECT_EQ(failures[0], 0);
    EXPECT_EQ(failures[1], 0);
    const std::string last = FileBytes();
    EXPECT_TRUE(last == contents[0] || last == contents[1]) << last.size();
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        EXPECT_EQ(entry.path(), ini);
}

TEST_F(SettingsSharedFile, SavesAtTheSameMomentKeepBothUsersSettings) {
    WriteFile("[alice Option]\r\nN=0\r\n[bob Option]\r\nN=0\r\n");
    constexpr int kSaves = 150;
    int failures[2] = {0, 0};
    auto session = [&](int who, const char* user) {
        SettingsStore store;
        Open(store, user);
        for (int i = 1; i <= kSaves; ++i) {
            store.WriteInteger("Option", "N", i, true);
            if (!store.Flush().ok) ++failures[who];
        }
        store.Close();
    };
    std::thread a(session, 0, "alice");
    std::thread b(session, 1, "bob");
    a.join();
    b.join();
    EXPECT_EQ(failures[0], 0);
    EXPECT_EQ(failures[1], 0);
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        EXPECT_NE(entry.path().extension(), ".tmp") << entry.path();
    SettingsStore reader;
    Open(reader, "alice");
    EXPECT_EQ(reader.ReadInteger("Option", "N", 0, true), kSaves);
    EXPECT_EQ(reader.ReadInteger("bob Option", "N", 0, false), kSaves);
}
