#include "player/Winamp.h"

#include <algorithm>
#include <cstdint>

#include "player/Playlist.h"

namespace pilotune {

std::string TitleFromCaption(const std::string& caption) {
    const std::size_t at = caption.find("- Winamp");
    if (at == std::string::npos) return caption;
    return caption.substr(0, at == 0 ? 0 : at - 1);
}

TPilotune::TPilotune(PlayerWindow& window, PlayerSystem& system, std::string programPath)
    : window_(window), system_(system), path_(std::move(programPath)) {}

std::string TPilotune::FichierListe() const {
    return PlaylistPathFor(path_);
}

std::optional<int> TPilotune::Query(int lParam, std::uintptr_t wParam) {
    // The player answers a 32-bit int; keep only that, whatever the width.
    if (auto answer = window_.Send(kWmUser, wParam, lParam))
        return static_cast<std::int32_t>(*answer);
    return std::nullopt;
}

void TPilotune::SendCommand(unsigned n) {
    window_.Send(kWmCommand, n, 0);
}

void TPilotune::Connecter() {
    if (window_.Find()) return;
    // Only one launch at a time: a call answered inside the wait below finds
    // the launch under way and leaves it alone.
    if (launching_) return;
    if (!system_.FileExists(path_)) return;
    if (!system_.Launch(path_)) return;
    launching_ = true;
    const std::uint64_t start = system_.NowMs();
    while (!window_.Find()) {
        if (!system_.WaitForLaunch()) break; // the program is closing
        if (system_.NowMs() - start >= kLaunchWaitMs) break;
    }
    launching_ = false;
}

bool TPilotune::EstLance() {
    return window_.Exists();
}

std::optional<int> TPilotune::DemanderPosition() {
    auto ms = Query(kQueryTime, 0);
    if (!ms) return std::nullopt;
    return *ms / 1000;
}
int TPilotune::Position() {
    return DemanderPosition().value_or(0);
}

std::optional<int> TPilotune::DemanderDuree() {
    return Query(kQueryTime, 1);
}
int TPilotune::Duree() {
    return DemanderDuree().value_or(0);
}

std::optional<std::string> TPilotune::DemanderTitre() {
    auto caption = window_.Caption();
    if (!caption) return std::nullopt;
    return TitleFromCaption(*caption);
}
std::string TPilotune::Titre() {
    return DemanderTitre().value_or(std::string());
}

void TPilotune::AllerA(int seconds) {
    const std::int64_t ms = std::clamp<std::int64_t>(std::int64_t{seconds} * 1000, 0, INT32_MAX);
    window_.Post(kWmUser, static_cast<std::uintptr_t>(ms), kQuerySeek);
}

void TPilotune::AfficherWinamp(PlayerWindowState state) {
    window_.Show(state == PlayerWindowState::Shown);
}
void TPilotune::Precedent() {
    SendCommand(kCmdPrevious);
}
void TPilotune::Jouer() {
    SendCommand(kCmdPlay);
}
void TPilotune::Pauser() {
    SendCommand(kCmdPause);
}
void TPilotune::Stopper() {
    SendCommand(kCmdStop);
}
void TPilotune::Suivant() {
    SendCommand(kCmdNext);
}
void TPilotune::BasculerHasard() {
    SendCommand(kCmdShuffle);
}
void TPilotune::Commande(unsigned n) {
    SendCommand(n & 0xFFFF);
}

std::optional<int> TPilotune::DemanderNumeroTitre() {
    auto position = Query(kQueryWritePlaylist);
    if (!position) return std::nullopt;
    return *position + 1;
}
int TPilotune::NumeroTitre() {
    return DemanderNumeroTitre().value_or(1);
}

void TPilotune::JouerTitre(int n) {
    window_.Send(kWmUser, static_cast<std::uintptr_t>(static_cast<std::intptr_t>(n) - 1),
                 kQuerySetPosition);
    SendCommand(kCmdPlay);
}

std::optional<PlayerState> TPilotune::DemanderEtat() {
    auto state = Query(kQueryState);
    if (!state) return std::nullopt;
    switch (*state) {
    case 0:
        return PlayerState::Stopped;
    case 1:
        return PlayerState::Playing;
    case 3:
        return PlayerState::Paused;
    default:
        return PlayerState::Other;
    }
}
PlayerState TPilotune::Etat() {
    return DemanderEtat().value_or(PlayerState::Stopped);
}

std::string StateText(PlayerState etat) {
    switch (etat) {
    case PlayerState::Stopped:
        return " - Stop";
    case PlayerState::Playing:
        return "";
    case PlayerState::Paused:
        return " - Pause";
    default:
        return " - Erreur";
    }
}
std::string TPilotune::TexteEtat() {
    return StateText(Etat());
}

int TPilotune::NbTitres() {
    return std::clamp(Query(kQueryLength).value_or(0), 0, kMaxPlaylistEntries);
}

std::optional<bool> TPilotune::DemanderHasard() {
    auto shuffle = Query(kQueryShuffle);
    if (!shuffle) return std::nullopt;
    return *shuffle == 1;
}
bool TPilotune::HasardActif() {
    return DemanderHasard().value_or(false);
}

bool TPilotune::LireListe(std::string* error) {
    Query(kQueryWritePlaylist);
    cache_.Reset(static_cast<std::size_t>(NbTitres()));
    auto decode = [this](std::string_view line, std::string& out) {
        system_.DecodeAnsi(line, out);
    };
    std::string why;
    cache_.Begin();
    const bool read = system_.ReadFile(
        FichierListe(), [&](std::string_view chunk) { return cache_.Feed(chunk, decode); }, why);
    cache_.Finish(decode);
    if (!read && error) *error = why;
    return read;
}

bool TPilotune::CacheIsCurrent() {
    return cache_.Size() == static_cast<std::size_t>(NbTitres());
}

std::string TPilotune::FichierTitre(int n) {
    return TrackFiles({n}).front();
}

std::vector<std::string> TPilotune::TrackFiles(const std::vector<int>& numbers) {
    std::vector<std::string> files(numbers.size());
    if (!CacheIsCurrent() && !LireListe()) {
        std::string error;
        if (!LireListe(&error)) system_.ShowMessage(error);
        if (!CacheIsCurrent()) return files;
    }
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const int n = numbers[i];
        if (n >= 1 && static_cast<std::size_t>(n) <= cache_.Size())
            files[i] = cache_.Entry(static_cast<std::size_t>(n) - 1);
    }
    return files;
}

int TPilotune::ChercherTitre(const std::string& nom) {
    if (!CacheIsCurrent() && !LireListe()) return 0;
    return cache_.Find(nom);
}

void TPilotune::AfficherChercheur() {
    SendCommand(kCmdSearchWindow);
    window_.RaiseSearchWindow();
}

} // namespace pilotune
