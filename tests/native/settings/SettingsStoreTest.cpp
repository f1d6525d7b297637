#include <climits>

#include "SettingsFixture.h"
#include "settings/Option.h"
#include "settings/TimeText.h"

using namespace pilotune;
using pilotune::testing::SettingsFixture;
using namespace std::string_view_literals;

namespace {

// After a damaged file was opened, a save must give a file with CRLF line ends
// only, whose lines read back as they were written.
void ExpectWellFormed(const std::string& bytes) {
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::size_t end = bytes.find("\r\n", pos);
        ASSERT_NE(end, std::string::npos) << "last line without CRLF";
        const std::string line = bytes.substr(pos, end - pos);
        EXPECT_EQ(line.find_first_of(std::string("\r\n\0", 3)), std::string::npos) << line;
        EXPECT_TRUE(line.empty() || line[0] != '[' || line.back() == ']') << "bad line: " << line;
        pos = end + 2;
    }
}

std::size_t Count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

} // namespace

TEST(Windows1252, EveryByteSurvivesARoundTripOtherTextBecomesQuestionMarksOrIsRefused) {
    const Windows1252Codec codec;
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(codec.Encode(codec.Decode(all)), all);
    EXPECT_EQ(codec.Decode("\x80\x9C\xE9\xFF"), "€œéÿ");
    EXPECT_EQ(codec.Encode("Dernière 5 €"), "Derni\xE8re 5 \x80");

    EXPECT_EQ(codec.Encode("日本 ☺ 𝄞"), "?? ? ?");
    EXPECT_EQ(codec.Encode("a\xC3"), "a?");                     // cut sequence
    EXPECT_EQ(codec.Encode("\xC0\xAF|\xED\xA0\x80"), "??|???"); // overlong, surrogate
    EXPECT_EQ(codec.Encode("\xE2\x82"), "??");

    // EncodeTo gives the same bytes as Encode, or says the code page cannot
    // hold the text.
    std::string every; // every byte after every byte
    for (int a = 0; a < 256; ++a)
        for (int b = 0; b < 256; b += 3)
            every += {static_cast<char>(a), static_cast<char>(b), 'x'};
    for (const std::string& text :
         {std::string("plain ASCII, longer than eight bytes"), std::string("Été à Noël, cœur 5 €"),
          std::string("日本 ☺ 𝄞 \xC3"), std::string("\xC3\xC3\xA9\xC2\x80\xC2\x9F\xE2\x82"),
          std::string("Clé 12=valeur é\r\n[abc Option]\r\n"), every, codec.Decode(every)}) {
        std::string encoded;
        const bool held = codec.EncodeTo(text, encoded);
        EXPECT_EQ(held, codec.Decode(codec.Encode(text)) == text);
        if (held) EXPECT_EQ(encoded, codec.Encode(text)) << text.substr(0, 40);
    }
}

TEST(TimeText, SecondsAndDaysToTextAndBack) {
    const std::pair<int, const char*> cases[] = {
        {0, "0:00"},     {59, "0:59"},         {754, "12:34"},
        {3599, "59:59"}, {3600, "01:00:00"},   {360000, "100:00:00"},
        {-65, "-1:05"},  {-3725, "-01:02:05"}, {INT_MIN, "-596523:14:08"},
        {10, "0:10"},    {600, "10:00"},       {36610, "10:10:10"},
    };
    for (const auto& [seconds, text] : cases)
        EXPECT_EQ(SecondsToText(seconds), text) << seconds;
    for (int s = 0; s <= 86400; s += 7)
        EXPECT_EQ(TextToSeconds(SecondsToText(s)), s) << s;

    // Parts combine from left to right; leading numbers are read and nothing fails.
    const std::pair<const char*, int> texts[] = {
        {"14:30:05", 52205},
        {"1:2", 62},
        {"45", 45},
        {"", 0},
        {"abc", 0},
        {":", 0},
        {"1::", 3600},
        {"  3 min: 4s", 184},
        {"99999999999:99999999999", INT_MAX},
    };
    for (const auto& [text, seconds] : texts)
        EXPECT_EQ(TextToSeconds(text), seconds) << text;

    // Days format and parse back over four centuries; other texts are refused.
    const DayMonthYearDateCodec dates;
    const std::pair<int, const char*> days[] = {{0, "30/12/1899"},     {1, "31/12/1899"},
                                                {60, "28/02/1900"},    {61, "01/03/1900"},
                                                {45352, "01/03/2024"}, {-1, "29/12/1899"}};
    for (const auto& [day, text] : days)
        EXPECT_EQ(dates.Format(day), text);
    for (int day = -40000; day <= 110000; day += 13)
        ASSERT_EQ(dates.Parse(dates.Format(day)), day);
    for (const char* text : {"0", "", "29/02/2023", "31/04/2024", "00/01/2024", "1/13/2024", "1/1/",
                             "1//2024", "01/01/2024x", "123/01/2024", "a/b/c", "1/1/0"})
        EXPECT_FALSE(dates.Parse(text).has_value()) << text;
    EXPECT_EQ(dates.Parse(" 29/02/2024 "), DayFromCivil({2024, 2, 29}));
}

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
    SettingsStore store = Opened();
    EXPECT_FALSE(std::filesystem::exists(dir / "pilote.ini"));

    store.WriteInteger("Option", "NbBoucle", 4, true);
    const SaveResult r = store.Flush();
    EXPECT_TRUE(r.ok) << r.reason;
    EXPECT_EQ(FileBytes(), "[abc Option]\r\nNbBoucle=4\r\n");
    EXPECT_FALSE(std::filesystem::exists(dir / "pilote.ini.tmp"));

    SettingsStore never; // not open: saves nothing and says so
    EXPECT_FALSE(never.Flush().ok);
}

TEST_F(SettingsStoreTest, IntegersBooleansAndDatesParseOrGiveTheDefault) {
    WriteFile("[abc Option]\nA=0x10\nB=-12\nC=+7\nD=12abc\nE=\nF=99999999999\nG=0xFFFFFFFF\n"
              "H= 42 \nI=0x\nT=1\nU=0\nV=5\nW=oui\n"
              "[abc Planification]\nEffectuer 0=0\nEffectuer 1=31/02/2024\nEffectuer 2=1/3/2024\n");
    SettingsStore store = Opened();
    const std::pair<const char*, int> integers[] = {{"A", 16}, {"B", -12}, {"C", 7},
                                                    {"D", 3},  {"E", 3},   {"F", 3},
                                                    {"G", -1}, {"H", 42},  {"I", 3}};
    for (const auto& [key, value] : integers)
        EXPECT_EQ(store.ReadInteger("Option", key, 3, true), value) << key;
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

    // Dates go through the date codec; an unreadable text gives the default.
    EXPECT_EQ(store.ReadDate("Planification", "Effectuer 0", 0, true), 0);
    EXPECT_EQ(store.ReadDate("Planification", "Effectuer 1", -7, true), -7);
    EXPECT_EQ(store.ReadDate("Planification", "Effectuer 2", 0, true), 45352);
    store.WriteDate("Planification", "Effectuer 0", 0, true);
    EXPECT_EQ(store.ReadText("Planification", "Effectuer 0", "", true), "0");
    EXPECT_EQ(store.ReadDate("Planification", "Effectuer 0", 99, true), 0);
}

TEST_F(SettingsStoreTest, NamesCompareWithoutCaseAndTextsGoThroughTheCodePage) {
    WriteFile(codec.Encode("[ABC OPTION]\nNBBOUCLE=3\n[abc Programme ÉTÉ]\nProgNb=2\n"));
    SettingsStore store = Opened("Abc");
    EXPECT_EQ(store.ReadInteger("option", "nbboucle", 0, true), 3);
    EXPECT_EQ(store.ReadInteger("Programme été", "PROGNB", 0, true), 2);
    store.WriteInteger("Option", "NbBoucle", 5, true);
    store.WriteInteger("PROGRAMME Été", "prognb", 6, true);
    ASSERT_TRUE(store.Flush().ok);
    EXPECT_EQ(codec.Decode(FileBytes()),
              "[ABC OPTION]\r\nNBBOUCLE=5\r\n\r\n[abc Programme ÉTÉ]\r\nProgNb=6\r\n");

    // Texts go through the code page and keep their inner blanks.
    store.WriteText("Option", "Dernière", "Lecture à « été »  fin", true);
    ASSERT_TRUE(store.Close().ok);
    EXPECT_NE(FileBytes().find("Derni\xE8re=Lecture \xE0 \xAB \xE9t\xE9 \xBB  fin\r\n"),
              std::string::npos);
    EXPECT_EQ(Opened("abc").ReadText("Option", "DERNIÈRE", "", true), "Lecture à « été »  fin");
}

TEST_F(SettingsStoreTest, SaveKeepsOrderCommentsAndOtherUsersUntouched) {
    WriteFile("; réglages\r\n[zoe Option]\r\nNbBoucle=2\r\nSecret=x\r\n\r\n[abc Option]\r\n"
              "Z=1\r\nA=2\r\n[zoe Clavier]\r\nClavierNb=0\r\n");
    SettingsStore store = Opened();
    store.WriteInteger("Option", "A", 20, true);
    store.WriteInteger("Option", "M", 30, true);
    store.WriteBoolean("Divers", "MAJ", true, true);
    ASSERT_TRUE(store.Flush().ok);
    EXPECT_EQ(FileBytes(), "; r\xE9glages\r\n[zoe Option]\r\nNbBoucle=2\r\nSecret=x\r\n\r\n"
                           "[abc Option]\r\nZ=1\r\nA=20\r\nM=30\r\n\r\n[zoe Clavier]\r\n"
                           "ClavierNb=0\r\n\r\n[abc Divers]\r\nMAJ=1\r\n");
}

// An empty user name gives plain section names.
TEST_F(SettingsStoreTest, ValuesSurviveRewritesAndAMoveOfTheStore) {
    WriteFile("[O]\nK=v\n"); // small enough to sit inside a string object
    SettingsStore store = Opened("");
    for (int i = 0; i < 1000; ++i)
        store.WriteInteger("O", "N", i, true);
    store.WriteText("O", "K", "nouvelle valeur plus longue que seize", true);
    SettingsStore moved(std::move(store));
    EXPECT_EQ(moved.ReadInteger("O", "N", -1, true), 999);
    EXPECT_EQ(moved.ReadText("O", "K", "", true), "nouvelle valeur plus longue que seize");
    SettingsStore small = Opened("");
    small = std::move(moved);
    EXPECT_EQ(small.ReadText("O", "K", "", true), "nouvelle valeur plus longue que seize");
    ASSERT_TRUE(small.Close().ok);
    EXPECT_EQ(FileBytes(), "[O]\r\nK=nouvelle valeur plus longue que seize\r\nN=999\r\n");
}

// Saves in a row: each one holds what changed since the one before, in the
// encoding the whole text then needs.
TEST_F(SettingsStoreTest, EachSaveHoldsTheChangesMadeSinceThePreviousOne) {
    WriteFile("[abc A]\r\nK=1\r\nL=2\r\n\r\n[abc B]\r\nK=1\r\n");
    SettingsStore store = Opened();
    ASSERT_TRUE(store.Flush().ok);
    store.WriteInteger("A", "K", 5, true);
    store.DeleteKey("B", "K", true);
    ASSERT_TRUE(store.Flush().ok);
    EXPECT_EQ(FileBytes(), "[abc A]\r\nK=5\r\nL=2\r\n\r\n[abc B]\r\n");
    store.WriteText("B", "M", "Łódź", true);
    ASSERT_TRUE(store.Flush().ok);
    EXPECT_EQ(FileBytes(), "\xEF\xBB\xBF[abc A]\r\nK=5\r\nL=2\r\n\r\n[abc B]\r\nM=Łódź\r\n");
    store.WriteText("B", "M", "été", true);
    ASSERT_TRUE(store.Flush().ok);
    EXPECT_EQ(FileBytes(), "[abc A]\r\nK=5\r\nL=2\r\n\r\n[abc B]\r\nM=\xE9t\xE9\r\n");
}

// Hand-edited files: what the store reads from them (a missing key reads as
// "-"), and what a save (after one write, if any) makes of them.
TEST_F(SettingsStoreTest, OddLinesReadAsTheyShouldAndSaveBackNormalised) {
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
        // Blanks around names and the equal sign; lines without a name or "="
        // stay where they stand, and are no key.
        {"  [ abc Option ]  \n  NbBoucle   =   7  \n  sans égal\n\tTransparent\t=\t50\t\n"
         "ProgTitre =  Ma liste  \nVide=\n=orphelin\n",
         {{"Option", "NbBoucle", "7"},
          {"Option", "Transparent", "50"},
          {"Option", "ProgTitre", "Ma liste"},
          {"Option", "Vide", ""},
          {"Option", "", "-"},
          {"Option", "sans égal", "-"}},
         "[abc Option]\r\nNbBoucle=7\r\nsans \xE9gal\r\nTransparent=50\r\nProgTitre=Ma liste\r\n"
         "Vide=\r\n=orphelin\r\n"},
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
        SettingsStore store = Opened();
        for (const Read& r : c.reads)
            EXPECT_EQ(store.ReadText(r.section, r.key, "-", true), r.value) << r.key;
        if (c.write) store.WriteInteger("Option", "NbBoucle", 9, true);
        ASSERT_TRUE(store.Flush().ok);
        EXPECT_EQ(FileBytes(), c.saved);
    }
}

// Text the code page holds is saved in it, whatever the file was read as; text
// it cannot hold turns the file to UTF-8 with a byte-order mark.
TEST_F(SettingsStoreTest, UnicodeFilesAreReadAndSavedInTheCodePageUnlessItCannotHoldTheText) {
    WriteFile("\xEF\xBB\xBF[abc Option]\r\nDernière=été\r\n");
    SettingsStore utf8 = Opened();
    EXPECT_EQ(utf8.ReadText("Option", "Dernière", "", true), "été");
    ASSERT_TRUE(utf8.Close().ok);
    EXPECT_EQ(FileBytes(), "[abc Option]\r\nDerni\xE8re=\xE9t\xE9\r\n");

    const std::u16string utf16 = u"\uFEFF[abc Option]\r\nNbBoucle=5\r\nÀ=ç\r\n";
    WriteFile({reinterpret_cast<const char*>(utf16.data()), utf16.size() * 2});
    SettingsStore wide = Opened();
    EXPECT_EQ(wide.ReadInteger("Option", "NbBoucle", 0, true), 5);
    EXPECT_EQ(wide.ReadText("Option", "à", "", true), "ç");

    // UTF-8 without a mark, as an editor saves it; code-page bytes are not UTF-8.
    WriteFile("[abc Option]\r\nA=Łódź\r\nB=\xE9t\xE9\r\n");
    EXPECT_EQ(Opened().ReadText("Option", "B", "", true), "été");
    WriteFile("[abc Option]\r\nA=Łódź\r\n");
    SettingsStore marked = Opened();
    EXPECT_EQ(marked.ReadText("Option", "A", "", true), "Łódź");
    marked.WriteText("Option", "A", "Lodz", true);
    marked.WriteText("Option", "B", "Ã©", true); // code-page bytes C3 A9: UTF-8 for "é"
    ASSERT_TRUE(marked.Close().ok);
    EXPECT_EQ(FileBytes(), "\xEF\xBB\xBF[abc Option]\r\nA=Lodz\r\nB=Ã©\r\n");
    // Code-page text whose first line begins as a byte-order mark.
    WriteFile("\n\xEF\xBB\xBF\xFF=1\n[abc Option]\nA=\xE9\n");
    ASSERT_TRUE(Opened().Close().ok);
    EXPECT_EQ(Opened().ReadText("Option", "A", "", true), "é") << FileBytes();
}

TEST_F(SettingsStoreTest, AHugeLineANulOrRandomBytesOpenAndSaveWellFormed) {
    std::string bytes =
        "[abc Option]\nNbBoucle=4\n\xFF\x01\x80=\x9D\n[abc Copie]\nChemin=C:\\Music\nLong=" +
        std::string(1 << 20, 'x') + "\n";
    WriteFile(bytes + std::string("Nul=a\0b", 7) + "\n");
    SettingsStore store = Opened();
    EXPECT_EQ(store.ReadInteger("Option", "NbBoucle", 0, true), 4);
    EXPECT_EQ(store.ReadText("Copie", "Chemin", "", true), "C:\\Music");
    EXPECT_EQ(store.ReadText("Copie", "Nul", "", true), "a b");
    store.WriteInteger("Option", "NbExtrait", 12, true);
    ASSERT_TRUE(store.Close().ok);
    ExpectWellFormed(FileBytes());

    SettingsStore again = Opened();
    EXPECT_EQ(again.ReadInteger("Option", "NbExtrait", 0, true), 12);
    EXPECT_EQ(again.ReadText("Copie", "Long", "", true).size(), std::size_t{1} << 20);

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
        SettingsStore store = Opened("a");
        (void)store.ReadInteger("b", "a", 0, true);
        store.WriteText("Option", "K", "v", true);
        ASSERT_TRUE(store.Close().ok);
        ExpectWellFormed(FileBytes());
        SettingsStore again = Opened("a");
        EXPECT_EQ(again.ReadText("Option", "K", "", true), "v") << round;
    }
}

// Names and values with line breaks, NUL or characters a line reads otherwise.
TEST_F(SettingsStoreTest, WrittenNamesAndValuesReadTheSameAfterASave) {
    SettingsStore store = Opened();
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
    SettingsStore again = Opened();
    expectAll(again);
    EXPECT_EQ(FileBytes().find("faux"), std::string::npos);
}

TEST_F(SettingsStoreTest, SessionsOfOtherUsersAndAFileEmptiedMeanwhileLoseNoChange) {
    WriteFile("[alice Option]\r\nNbBoucle=1\r\n[bob Option]\r\nNbBoucle=1\r\n[Commun]\r\nA=0\r\n");
    SettingsStore alice = Opened("alice"), bob = Opened("bob");
    EXPECT_EQ(alice.ReadInteger("Option", "NbBoucle", 0, true), 1);
    alice.WriteInteger("Option", "NbBoucle", 2, true);
    alice.WriteText("Programme Été", "ProgNb", "3", true);
    bob.WriteInteger("Option", "NbBoucle", 5, true);
    bob.WriteText("Commun", "B", "de bob", false);
    alice.WriteText("Commun", "A", "d'alice", false);

    ASSERT_TRUE(alice.Flush().ok);
    ASSERT_TRUE(bob.Flush().ok); // bob leaves last: alice's session stays on disk
    {
        SettingsStore reader = Opened("alice");
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
    SettingsStore reader = Opened("bob");
    EXPECT_EQ(reader.ReadInteger("Option", "NbBoucle", 0, true), 5);
    EXPECT_EQ(reader.ReadInteger("Option", "NbExtrait", 0, true), 30);
    EXPECT_EQ(reader.ReadInteger("alice Option", "NbExtrait", 0, false), 20);
    EXPECT_EQ(Count(FileBytes(), "[bob Option]"), 1u);
    EXPECT_EQ(Count(FileBytes(), "[alice Option]"), 1u);

    // Our own sections are written whole even if the file was emptied meanwhile.
    WriteFile("[abc Option]\r\nNbBoucle=4\r\nNbExtrait=7\r\n; note\r\nNbExtrait=8\r\n");
    SettingsStore store = Opened();
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
