// The update check, transparency plan and shutdown count at their edges.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <tuple>

#include "TempFolder.h"
#include "settings/Codecs.h"
#include "system/Background.h"
#include "system/Shutdown.h"
#include "system/UpdateCheck.h"

using namespace pilotune;

namespace {

class MemoryServer final : public UpdateTransport {
  public:
    std::map<std::string, std::string> files; // address -> body
    std::vector<std::string> asked;
    std::string Download(const std::string& url, const std::string& path) override {
        asked.push_back(url);
        auto it = files.find(url);
        if (it == files.end()) return "fichier introuvable";
        std::ofstream(path, std::ios::binary) << it->second;
        return {};
    }
};

class UpdateCheckTest : public pilotune::testing::TempFolder {
  protected:
    void SetUp() override {
        TempFolder::SetUp();
        setup.folder = dir.string() + "/";
        setup.fileVersion = "1.0.0.0";
        setup.server = "http://127.0.0.1:8000";
    }
    void Serve(const std::string& ini) {
        server.files["http://127.0.0.1:8000/MAJPilotune.ini"] = ini;
    }
    UpdateResult Check() { return CheckForUpdate(setup, server); }

    UpdateSetup setup;
    MemoryServer server;
};

TEST_F(UpdateCheckTest, OnlyTheSameVersionIsCurrentAndItFetchesNoDetails) {
    Serve("\x01\x02 pas un fichier INI [[[");
    EXPECT_EQ(Check().outcome, UpdateOutcome::Current);
    Serve("[Pilotune]\r\nVersion=1.0.0.0\r\nListePlus=http://127.0.0.1:8000/plus.txt\r\n");
    EXPECT_EQ(Check().outcome, UpdateOutcome::Current);
    EXPECT_EQ(server.asked.size(), 2u);

    Serve("[Pilotune]\r\nVersion=0.9.9\r\n"); // older: not announced
    EXPECT_EQ(Check().outcome, UpdateOutcome::Current);
    Serve("[Pilotune]\r\nVersion=1.2.0.0\r\nURL=https://exemple.fr/p.zip\r\n");
    const UpdateResult r = Check();
    EXPECT_EQ(r.outcome, UpdateOutcome::NewVersion);
    EXPECT_EQ(r.address, "https://exemple.fr/p.zip");
    EXPECT_NE(Read("MAJPilotune.ini").find("URL=https://exemple.fr/p.zip"), std::string::npos);
    // Number by number: 10 is above 9, missing numbers are 0, text is never new.
    EXPECT_TRUE(IsNewerVersion("1.10", "1.9.0.0") && IsNewerVersion("1.0.0.01", "1.0"));
    EXPECT_TRUE(IsNewerVersion("2", "inconnue"));
    for (const char* v : {"1.0", "1.0.0.0.0", "01.0.0", "1.0.0.0a", "1..1", "", "0"})
        EXPECT_FALSE(IsNewerVersion(v, "1.0.0.0")) << v;
}

TEST_F(UpdateCheckTest, DetailsUnavailableOrReadInTheirOwnEncoding) {
    Serve("[Pilotune]\r\nVersion=2\r\nListePlus=http://127.0.0.1:8000/absent.txt\r\n");
    // A stale details file of an earlier check is not shown for this one.
    Write("MAJPilotune.txt", "ancien texte");
    EXPECT_EQ(Check().details, kNoDetails);
    Serve("[Pilotune]\r\nVersion=2\r\n");
    EXPECT_EQ(Check().details, kNoDetails);
    server.files["http://127.0.0.1:8000/vide.txt"] = "\r\n  \r\n";
    Serve("[Pilotune]\r\nVersion=2\r\nListePlus=http://127.0.0.1:8000/vide.txt\r\n");
    EXPECT_EQ(Check().details, kNoDetails);
    Serve("[Pilotune]\r\nVersion=2\r\nListePlus=file:///etc/passwd\r\n");
    EXPECT_EQ(Check().details, kNoDetails);
    EXPECT_EQ(server.asked.back(), "http://127.0.0.1:8000/MAJPilotune.ini");

    // The details file is whatever a server's editor saved: UTF-8 with or
    // without its mark, UTF-16 with its mark, else the ANSI code page.
    const Windows1252Codec ansi;
    setup.codec = &ansi;
    const struct {
        std::string bytes, details;
    } cases[] = {
        {"\x80 50, l\x92\xE9t\xE9", "€ 50, l’été"},
        {"Nouveautés :\n- été\n", "Nouveautés :\r\n- été"},
        {"\xEF\xBB\xBFNouveautés :\r- été", "Nouveautés :\r\n- été"},
        {"\xEF\xBB\xBFmal cod\xE9", "mal cod\uFFFD"},
        {"d\xC3\xA8s et d\xE8s", "dÃ¨s et dès"}, // one byte not UTF-8: all of it ANSI
        {std::string("\xFF\xFE\xE9\0t\0\xE9\0\r\0\n\0!\0", 14), "été\r\n!"},
        {"\xEF\xBB\xBF\r\n", kNoDetails},
    };
    Serve("[Pilotune]\r\nVersion=2\r\nListePlus=http://127.0.0.1:8000/plus.txt\r\n");
    for (const auto& c : cases) {
        server.files["http://127.0.0.1:8000/plus.txt"] = c.bytes;
        EXPECT_EQ(Check().details, c.details) << c.bytes;
    }

    // The program's own code page, whichever it is, decodes the ANSI text.
    struct Marked final : TextCodec {
        std::string Decode(std::string_view b) const override {
            const bool ascii = std::all_of(b.begin(), b.end(), [](char c) { return c > 0; });
            return ascii ? std::string(b) : "<" + std::string(b) + ">";
        }
        std::string Encode(std::string_view u) const override { return std::string(u); }
    } marked;
    setup.codec = &marked;
    server.files["http://127.0.0.1:8000/plus.txt"] = "a\xE9";
    EXPECT_EQ(Check().details, "<a\xE9>");
    server.files["http://127.0.0.1:8000/plus.txt"] = "aé";
    EXPECT_EQ(Check().details, "aé");
}

TEST_F(UpdateCheckTest, NoDescriptionIsAFailureNotCurrent) {
    UpdateResult r = Check();
    EXPECT_EQ(r.outcome, UpdateOutcome::Failed);
    EXPECT_EQ(r.message,
              "La vérification des mises à jour n'a pas pu être faite : fichier introuvable.");
    EXPECT_EQ(r.address, "http://127.0.0.1:8000"); // the server itself, to look by hand

    setup.server = "";
    r = Check();
    EXPECT_EQ(std::tie(r.outcome, r.address), std::tuple(UpdateOutcome::Failed, ""));
    EXPECT_NE(r.message.find("ServeurMAJ"), std::string::npos);
    setup.server = "C:\\serveur";
    r = Check();
    EXPECT_EQ(std::tie(r.outcome, r.address), std::tuple(UpdateOutcome::Failed, ""));
    EXPECT_EQ(server.asked.size(), 1u); // neither was asked of any transport
}

TEST_F(UpdateCheckTest, OnlyWebAddressesAreOpened) {
    for (const char* url :
         {"C:\\Windows\\notepad.exe", "file:///C:/Windows/notepad.exe", "notepad.exe", "http://",
          "javascript:alert(1)", "http://x/\" && calc", "\\\\serveur\\partage\\p.exe"}) {
        Serve(std::string("[Pilotune]\r\nVersion=3\r\nURL=") + url + "\r\n");
        EXPECT_EQ(Check().address, "") << url;
    }
    EXPECT_TRUE(IsWebAddress("HTTPS://Exemple.fr/p.zip"));
    EXPECT_TRUE(IsWebAddress(" http://exemple.fr "));
    EXPECT_EQ(UpdateFileAddress("http://h/maj/"), "http://h/maj/MAJPilotune.ini");
    EXPECT_EQ(UpdateFileAddress("http://h/maj"), "http://h/maj/MAJPilotune.ini");
}

TEST(Background, AlphaAndModeAtTheEdgesOfThePercentageAndWithoutLayeredWindows) {
    EXPECT_EQ(TransparencyAlpha(88, true), 30);
    EXPECT_EQ(PlanTransparency(88, true, true).layer, LayerMode::ColourKey);
    // A hand-edited setting out of range stays within the bounds.
    EXPECT_EQ(TransparencyAlpha(250, true), 0);
    EXPECT_EQ(TransparencyAlpha(-40, true), 255);
    // No layered windows on the older family: always opaque.
    EXPECT_EQ(TransparencyAlpha(100, false), 255);
    const auto none = PlanTransparency(100, true, false);
    EXPECT_EQ(std::tie(none.layer, none.keyColour, none.pictureVisible, none.loadPicture),
              std::tuple(LayerMode::None, false, true, true));
    const auto old = PlanTransparency(100, false, true);
    EXPECT_EQ(std::tie(old.layer, old.loadPicture), std::tuple(LayerMode::None, true));
}

TEST(Shutdown, FlagsAndTheCount) {
    EXPECT_EQ(ExitFlags(true, false, true), 2u);
    EXPECT_EQ(ExitFlags(false, true, false), 5u);
    Countdown c(10); // ten ticks end at the tenth, a zero total at the first
    for (int tick = 1; tick < 10; ++tick)
        ASSERT_FALSE(c.Tick()) << tick;
    EXPECT_EQ(c.SecondsLeft(), 1);
    EXPECT_TRUE(c.Tick());
    EXPECT_EQ(CountdownText(c.SecondsLeft()),
              "L'ordinateur va effectuer l'opération suivante dans 0 secondes : ");
    Countdown zero(0); // never below zero
    EXPECT_TRUE(zero.Tick());
    EXPECT_EQ(zero.SecondsLeft(), 0);
}

} // namespace
