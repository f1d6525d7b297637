#pragma once
// TPilotune: the one link to the player. Every command and query of the player
// goes through here; nothing else sends the player a message.
#include <optional>
#include <string>
#include <vector>

#include "player/PlayerPorts.h"
#include "player/PlayerProfile.h"
#include "player/Playlist.h"

namespace pilotune {

class SettingsStore;

// Player messages.
inline constexpr unsigned kWmCommand = 273;
inline constexpr unsigned kWmUser = 1024;
enum WinampCommand : unsigned {
    kCmdClose = 40001,
    kCmdRepeat = 40022,
    kCmdShuffle = 40023,
    kCmdPrevious = 40044,
    kCmdPlay = 40045,
    kCmdPause = 40046,
    kCmdStop = 40047,
    kCmdNext = 40048,
};
inline constexpr int kAskVolume = -666;
inline constexpr int kMaxVolume = 255;
// The volume as a rounded percentage of kMaxVolume, and back; out of range clamped.
int VolumePercent(int level);
int VolumeLevel(int percent);
// WM_COMMAND 40194 in the low word, 1 in the high word.
inline constexpr unsigned kCmdSearchWindow = 0x19D02;
enum WinampQuery : int {
    kQueryState = 104,
    kQueryTime = 105,
    kQuerySeek = 106,
    kQueryWritePlaylist = 120,
    kQuerySetPosition = 121,
    kQueryVolume = 122, // wParam kAskVolume asks, any other wParam sets
    kQueryLength = 124,
    kQueryShuffle = 250,
    kQueryRepeat = 251,
    kQueryPlaylistFolderAnsi = 337, // address of the folder of the playlist file, as a string
    kQueryPlaylistFolderWide = 338, // the same in UTF-16
};

inline constexpr const char* kDefaultWinampPath = "C:\\Program Files\\Winamp\\Winamp.exe";
// A longer playlist is taken as a false answer: the cache never grows past it.
inline constexpr int kMaxPlaylistEntries = 1 << 20;
// How long Connecter waits for a player it launched.
inline constexpr unsigned kLaunchWaitMs = 30000;
// A playlist file written more than this before the request (100 ns units)
// and not rewritten since is not the player's current list.
inline constexpr std::uint64_t kPlaylistSlack = 2 * 10'000'000ull;
// After a reading that found no current list, lookups answer from it this
// long before the player is asked again.
inline constexpr std::uint64_t kPlaylistRetryMs = 2000;
inline constexpr const char* kNoCurrentPlaylist =
    "Le lecteur n'a pas écrit sa liste de lecture à jour : le fichier du morceau est inconnu, "
    "rien n'est copié ni enregistré sous un autre nom.";
inline constexpr const char* kNoCurrentPlaylistFoobar =
    "\r\nDans foobar2000, activez l'écriture de winamp.m3u dans les réglages de son interface "
    "Winamp.";

// Resolves the player's program path at start-up: the setting, then the App
// Paths registry entry, then the user; writes it back and warns when it is
// still missing.
std::string ResolveWinampPath(SettingsStore& store, PlayerSystem& system);

class TPilotune {
  public:
    TPilotune(PlayerWindow& window, PlayerSystem& system, std::string programPath);

    const std::string& CheminWinamp() const { return path_; }
    // The playlist file beside the player's program.
    std::string FichierListe() const;
    // The profile of the player found by the last Connecter, or the forced one.
    const PlayerProfile& Profil() const { return *profile_; }
    // Forces the profile of that name; an empty or unknown name gives the
    // profile of the running player's program file back.
    void ForcerProfil(const std::string& name);

    // Finds the player's window, or launches the player and waits (at most
    // kLaunchWaitMs) for its window. A call made while a launch is under way
    // (from a message answered during that wait) returns at once and launches
    // nothing; the wait ends early when the program closes.
    void Connecter();
    bool Lancement() const { return launching_; }
    bool EstLance();
    int Position();
    int Duree();
    std::string Titre();
    void AllerA(int seconds);
    void AllerAMs(int ms);
    // Shows or hides the player's window.
    void AfficherWinamp(PlayerWindowState state);
    void Precedent();
    void Jouer();
    void Pauser();
    void Stopper();
    void Suivant();
    void BasculerHasard();
    void BasculerRepetition();
    // Sets the volume, 0..kMaxVolume (clamped).
    void ReglerVolume(int level);
    void Commande(unsigned n);
    int NumeroTitre();
    void JouerTitre(int n);
    PlayerState Etat();
    std::string TexteEtat();
    int NbTitres();
    bool HasardActif();
    // Asks the player to write its playlist, then refills the playlist cache
    // from the first file of the profile that this request wrote; false (with
    // the system's error text, or kNoCurrentPlaylist when no file is current)
    // otherwise, the cache then holding empty entries.
    bool LireListe(std::string* error = nullptr);
    std::string FichierTitre(int n);
    // The files of many tracks at once: the player is asked for its length
    // once, not once per track ("" for a number outside the list).
    std::vector<std::string> TrackFiles(const std::vector<int>& numbers);
    int ChercherTitre(const std::string& nom);
    void AfficherChercheur();

    // The queries again, with nullopt when the player gave no answer (no
    // window, gone, or too slow to answer). The plain ones above read that as
    // an answer of 0; a caller that must not mistake silence for a state, such
    // as the playback tick, asks these.
    std::optional<int> DemanderPosition();
    std::optional<int> DemanderDuree();
    std::optional<std::string> DemanderTitre();
    std::optional<int> DemanderNumeroTitre();
    std::optional<PlayerState> DemanderEtat();
    std::optional<bool> DemanderHasard();
    // Asked only of a player whose profile knows the question.
    std::optional<int> DemanderVolume(); // 0..kMaxVolume
    std::optional<bool> DemanderRepetition();
    // The position in ms; nullopt when not playing (or no answer).
    std::optional<int> DemanderPositionMs();

    std::vector<std::string> Liste() const { return cache_.Entries(); }

  private:
    std::optional<int> Query(int lParam, std::uintptr_t wParam = 0);
    // WM_COMMAND n to the player's window (Commande keeps only its low word).
    void SendCommand(unsigned n);
    // The cache is refreshed when the playlist's length changed, and a while
    // after a reading that found no current list.
    bool CacheIsCurrent();
    void ChooseProfile();
    const std::string& ProgramPath() const { return programFile_.empty() ? path_ : programFile_; }
    std::vector<PlaylistCandidate> PlaylistFiles();
    std::optional<std::string> AskFolder(int query, int unit);
    bool ReadPlaylist(const PlaylistCandidate& file, std::size_t length, std::string& error);
    void Tell(const std::string& error);

    PlayerWindow& window_;
    PlayerSystem& system_;
    std::string path_;
    PlaylistCache cache_;
    bool launching_ = false;
    const PlayerProfile* profile_;
    const PlayerProfile* forced_ = nullptr;
    std::string programFile_; // of the running player, when known
    bool listRead_ = true;    // the cache came from a current file
    std::string listError_;   // why it did not, when it did not
    std::uint64_t failedAt_ = 0;
    bool told_ = false; // the user knows that no list could be read
};

// The caption rule: "12. Artiste - Morceau - Winamp" -> "12. Artiste - Morceau".
std::string TitleFromCaption(const std::string& caption);
// What the bar appends to the title for a state: " - Stop", "", " - Pause"
// or " - Erreur".
std::string StateText(PlayerState etat);

} // namespace pilotune
