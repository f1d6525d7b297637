#pragma once
// Programmes over an in-memory settings store (never written to disk), a
// player with a playlist of file names, and a bar that notes what it shows.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "programmes/ProgrammePorts.h"
#include "programmes/Programmes.h"
#include "settings/Codecs.h"
#include "settings/Option.h"
#include "settings/SettingsStore.h"

namespace pilotune::testing {

class PlaylistPlayer final : public ProgrammePlayer {
  public:
    std::vector<std::string> names; // file names, playlist order
    int current = 1;                // 1-based
    PlayerState state = PlayerState::Playing;
    int position = 0;
    std::vector<std::pair<int, int>> jumps; // (track, seek) of each JouerTitre + AllerA

    int NumeroTitre() override { return current; }
    void JouerTitre(int n) override {
        current = n;
        position = 0;
        state = PlayerState::Playing;
        jumps.emplace_back(n, -1);
    }
    void AllerA(int seconds) override {
        position = seconds;
        if (!jumps.empty()) jumps.back().second = seconds;
    }
    int Position() override { return position; }
    void Jouer() override { state = PlayerState::Playing; }
    PlayerState Etat() override { return state; }
    std::string FichierTitre(int n) override {
        if (n < 1 || n > static_cast<int>(names.size())) return {};
        return "C:\\Musique\\" + names[static_cast<std::size_t>(n) - 1];
    }
    int ChercherTitre(const std::string& name) override {
        for (std::size_t i = 0; i < names.size(); ++i)
            if (names[i] == name) return static_cast<int>(i) + 1;
        return 0;
    }
};

class NotingBar final : public ProgrammeBar {
  public:
    int playPictures = 0, stopPictures = 0;
    bool lireChecked = false, enregistrerChecked = false;
    void ShowPlayPicture() override { ++playPictures; }
    void ShowStopPicture() override { ++stopPictures; }
    void CocherLireProg(bool c) override { lireChecked = c; }
    void CocherEnregistrerProg(bool c) override { enregistrerChecked = c; }
};

class ProgrammeFixture : public ::testing::Test {
  protected:
    ProgrammeFixture() {
        store.Open("", {"/nonexistent-pilotune-programmes/p.exe", "abc", &codec, &dates});
        for (int i = 1; i <= 10; ++i)
            player.names.push_back("piste" + std::to_string(i) + ".mp3");
    }

    // Stores the programme `name` with entries (file name, start, end).
    void Store(const std::string& name, const std::vector<std::tuple<std::string, int, int>>& e) {
        const std::string s = ProgrammeSection(name);
        store.WriteInteger(s, "ProgNb", static_cast<int>(e.size()), true);
        for (std::size_t i = 0; i < e.size(); ++i) {
            const std::string k = std::to_string(i);
            store.WriteInteger(s, "ProgN " + k, 1, true);
            store.WriteText(s, "ProgT " + k, std::get<0>(e[i]), true);
            store.WriteInteger(s, "ProgD " + k, std::get<1>(e[i]), true);
            store.WriteInteger(s, "ProgF " + k, std::get<2>(e[i]), true);
        }
    }
    std::string Read(const std::string& section, const std::string& key) const {
        return store.ReadText(section, key, "<none>", true);
    }
    // A track change seen by the playback monitor.
    void ChangeTrack(int track) {
        player.current = track;
        player.position = 0;
        option.CurrentTrack = track;
        programmes.ProgrammeStep(true);
    }
    void TickAt(int seconds) {
        player.position = seconds;
        if (option.ProgLecture) programmes.ProgrammeStep(false);
    }

    Windows1252Codec codec;
    DayMonthYearDateCodec dates;
    SettingsStore store;
    COption option;
    PlaylistPlayer player;
    NotingBar bar;
    CProgrammes programmes{option, store, player, bar};
};

} // namespace pilotune::testing
