#include "SettingsFixture.h"

using namespace pilotune;
using namespace std::string_view_literals;
using pilotune::testing::SettingsFixture;

namespace {

// After a damaged file was opened, a save must give a file whose every line is
// blank, a comment, a [section] or a key=value, with CRLF line ends only.
void ExpectWellFormed(const std::string& bytes) {
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::size_t end = bytes.find("\r\n", pos);
        ASSERT_NE(end, std::string::npos) << "last line without CRLF";
        const std::string line = bytes.substr(pos, end - pos);
        EXPECT_EQ(line.find_first_of(std::string("\r\n\0", 3)), std::string::npos) << line;
        const bool ok = line.empty() || line[0] == ';' || (line[0] == '[' && line.back() == ']') ||
                        (line.find('=') != std::string::npos && line[0] != '=');
        EXPECT_TRUE(ok) << "bad line: " << line;
        pos = end + 2;
    }
}

} // namespace

using SettingsBadInput = SettingsFixture;

// Hand-edited files: what the store reads from them (a missing key reads as
// "-"), and what a save (after one write, if any) makes of them.
TEST_F(SettingsBadInput, OddLinesReadAsTheyShouldAndSaveBackNormalised) {
    struct Read {
        const char *section, *key, *value;
    };
    const struct {
        const char* file;
        std::vector<Read> reads;
        const char* saved;
        bool write = false; // Option NbBoucle=9 before the save
    } cases[] = {
        // Line ends of any kind, no final line end.
        {"[abc Option]\r\nA=1\nB=2\rC=3\r\n\n\r\r[abc Divers]\nMAJ=0",
         {{"Option", "A", "1"}, {"Option", "B", "2"}, {"Option", "C", "3"}, {"Divers", "MAJ", "0"}},
         "[abc Option]\r\nA=1\r\nB=2\r\nC=3\r\n\r\n[abc Divers]\r\nMAJ=0\r\n"},
        // Blanks around names and the equal sign; lines without a name or "=" go.
        {"  [ abc Option ]  \n  NbBoucle   =   7  \n\tTransparent\t=\t50\t\n"
         "ProgTitre =  Ma liste  \nVide=\n=orphelin\nsans égal\n",
         {{"Option", "NbBoucle", "7"},
          {"Option", "Transparent", "50"},
          {"Option", "ProgTitre", "Ma liste"},
          {"Option", "Vide", ""},
          {"Option", "", "-"}},
         "[abc Option]\r\nNbBoucle=7\r\nTransparent=50\r\nProgTitre=Ma liste\r\nVide=\r\n"},
        // The first of repeated sections and keys wins; nothing is lost.
        {"[abc Option]\nNbBoucle=1\nnbboucle=2\n[ABC option]\nNbBoucle=3\nAutre=4\n",
         {{"Option", "NbBoucle", "1"}, {"Option", "Autre", "-"}},
         "[abc Option]\r\nNbBoucle=9\r\nnbboucle=2\r\n\r\n[ABC option]\r\nNbBoucle=3\r\n"
         "Autre=4\r\n",
         true},
        // Keys before any section are kept but belong to none.
        {"Orphelin=1\n[abc Option]\nNbBoucle=2\n",
         {{"Option", "Orphelin", "-"}, {"Option", "NbBoucle", "2"}},
         "Orphelin=1\r\n[abc Option]\r\nNbBoucle=2\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        WriteFile(c.file);
        SettingsStore store;
        Open(store);
        for (const Read& r : c.reads)
            EXPECT_EQ(store.ReadText(r.section, r.key, "-", true), r.value) << r.key;
        if (c.write) store.WriteInteger("Option", "NbBoucle", 9, true);
        ASSERT_TRUE(store.Flush().ok);
        EXPECT_EQ(FileBytes(), c.saved);
    }
}

TEST_F(SettingsBadInput, UnicodeFilesFromAnEditorAreReadAndSavedBackInTheCodePage) {
    WriteFile("\xEF\xBB\xBF[abc Option]\r\nDernière=été\r\n");
    SettingsStore utf8;
    Open(utf8);
    EXPECT_EQ(utf8.ReadText("Option", "Dernière", "", true), "été");
    ASSERT_TRUE(utf8.Close().ok);
    EXPECT_EQ(FileBytes(), "[abc Option]\r\nDerni\xE8re=\xE9t\xE9\r\n");

    const std::string text = "[abc Option]\r\nNbBoucle=5\r\nÀ=ç\r\n";
    std::string utf16 = "\xFF\xFE";
    for (char32_t c : std::u32string(U"[abc Option]\r\nNbBoucle=5\r\nÀ=ç\r\n")) {
        utf16 += static_cast<char>(c & 0xFF);
        utf16 += static_cast<char>(c >> 8);
    }
    WriteFile(utf16);
    SettingsStore wide;
    Open(wide);
    EXPECT_EQ(wide.ReadInteger("Option", "NbBoucle", 0, true), 5);
    EXPECT_EQ(wide.ReadText("Option", "à", "", true), "ç");
}

TEST_F(SettingsBadInput, BinaryGarbageAHugeLineAndANulOpenAndSaveCleanly) {
    std::string bytes = "[abc Option]\nNbBoucle=4\n";
    for (int i = 0; i < 4096; ++i)
        bytes += static_cast<char>((i * 151 + 7) % 256);
    bytes += "\n[abc Copie]\nChemin=C:\\Music\nLong=" + std::string(1 << 20, 'x') + "\n";
    WriteFile(bytes + std::string("Nul=a\0b", 7) + "\n");
    SettingsStore store;
    Open(store);
    EXPECT_EQ(store.ReadInteger("Option", "NbBoucle", 0, true), 4);
    EXPECT_EQ(store.ReadText("Copie", "Chemin", "", true), "C:\\Music");
    EXPECT_EQ(store.ReadText("Copie", "Nul", "", true), "a b");
    store.WriteInteger("Option", "NbExtrait", 12, true);
    ASSERT_TRUE(store.Close().ok);
    ExpectWellFormed(FileBytes());

    SettingsStore again;
    Open(again);
    EXPECT_EQ(again.ReadInteger("Option", "NbExtrait", 0, true), 12);
    EXPECT_EQ(again.ReadText("Copie", "Long", "", true).size(), std::size_t{1} << 20);
}

TEST_F(SettingsBadInput, ACorruptedFileNeverCrashesAndAlwaysSavesWellFormed) {
    // Random bytes biased towards the characters the reader treats specially.
    const std::string alphabet = "[]=;\r\n \tab0x1-\xE9\xFF\x80";
    unsigned seed = 12345;
    for (int round = 0; round < 200; ++round) {
        std::string bytes;
        const int n = static_cast<int>(seed % 300);
        for (int i = 0; i < n; ++i) {
            seed = seed * 1103515245u + 12345u;
            bytes += (seed >> 16) % 4 == 0 ? static_cast<char>(seed >> 8)
                                           : alphabet[(seed >> 16) % alphabet.size()];
        }
        WriteFile(bytes);
        SettingsStore store;
        Open(store, "a");
        (void)store.ReadInteger("b", "a", 0, true);
        store.WriteText("Option", "K", "v", true);
        ASSERT_TRUE(store.Close().ok);
        ExpectWellFormed(FileBytes());
        SettingsStore again;
        Open(again, "a");
        EXPECT_EQ(again.ReadText("Option", "K", "", true), "v") << round;
    }
}

// Names and values the program hands to the store with line breaks, NUL or
// characters that a line of the file reads differently: what the store
// answers at once it answers again after a save and a new opening, and no
// other key is disturbed.
TEST_F(SettingsBadInput, WrittenNamesAndValuesReadTheSameAfterASave) {
    SettingsStore store;
    Open(store);
    store.WriteText("Option", ".\r", "un", true);       // key ending with CR
    store.WriteText("Op\ntion", "K", "\0deux"sv, true); // section with LF, value with NUL
    store.WriteText("", "Seul", "trois", true);         // the user's own section
    store.WriteText("Option", "a=b", "faux", true);     // would read as key "a"
    store.WriteText("Option", "[Piège", "faux", true);  // would read as a section
    store.WriteText("Option", ";note", "faux", true);   // would read as a comment
    store.WriteText("Option", "Après", "quatre", true);
    store.WriteText("Programme a]b\n[x", "ProgT 0", "ligne 1\r\nligne 2", true);
    auto expectAll = [](const SettingsStore& s) {
        EXPECT_EQ(s.ReadText("Option", ".\r", "-", true), "un");
        EXPECT_EQ(s.ReadText("Option", ". ", "-", true), "un");
        EXPECT_EQ(s.ReadText("Op\ntion", "K", "-", true), "deux");
        EXPECT_EQ(s.ReadText("", "Seul", "-", true), "trois");
        EXPECT_EQ(s.ReadText("Option", "a", "-", true), "-");
        EXPECT_EQ(s.ReadText("Option", "a=b", "-", true), "-");
        EXPECT_EQ(s.ReadText("Option", "[Piège", "-", true), "-");
        EXPECT_EQ(s.ReadText("Option", ";note", "-", true), "-");
        EXPECT_EQ(s.ReadText("Option", "Après", "-", true), "quatre");
        EXPECT_EQ(s.ReadText("Programme a]b [x", "ProgT 0", "-", true), "ligne 1  ligne 2");
    };
    expectAll(store);
    ASSERT_TRUE(store.Flush().ok);
    SettingsStore again;
    Open(again);
    expectAll(again);
    EXPECT_EQ(FileBytes().find("faux"), std::string::npos);
}
