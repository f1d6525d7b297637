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

std::string TPilotune::FichierListe() const { return PlaylistPathFor(path_); }

int TPilotune::Query(int lParam, std::uintptr_t wParam) {
    // The player answers a 32-bit int; keep only that, whatever the width.
    return static_cast<std::int32_t>(window_.Send(kWmUser, wParam, lParam));
}

void TPilotune::Command(unsigned n) { window_.Send(kWmCommand, n, 0); }

void TPilotune::Connecter() {
    if (window_.Find()) return;
    if (!system_.FileExists(path_)) return;
    if (!system_.Launch(path_)) return;
    const std::uint64_t start = system_.NowMs();
    while (!window_.Find()) {
        system_.ProcessMessages();
        if (system_.NowMs() - start >= kLaunchWaitMs) return;
    }
}

bool TPilotune::EstLance() { return window_.Exists(); }

int TPilotune::Position() { return Query(kQueryTime, 0) / 1000; }

int TPilotune::Duree() { return Query(kQueryTime, 1); }

std::string TPilotune::Titre() { return TitleFromCaption(window_.Caption()); }

void TPilotune::AllerA(int seconds) {
    const std::int64_t ms = std::clamp<std::int64_t>(std::int64_t{seconds} * 1000, 0, INT32_MAX);
    window_.Post(kWmUser, static_cast<std::uintptr_t>(ms), kQuerySeek);
}

void TPilotune::AfficherWinamp(bool cacher) { window_.Show(!cacher); }
void TPilotune::Precedent() { Command(kCmdPrevious); }
void TPilotune::Jouer() { Command(kCmdPlay); }
void TPilotune::Pauser() { Command(kCmdPause); }
void TPilotune::Stopper() { Command(kCmdStop); }
void TPilotune::Suivant() { Command(kCmdNext); }
void TPilotune::BasculerHasard() { Command(kCmdShuffle); }
void TPilotune::Commande(unsigned n) { Command(n & 0xFFFF); }

int TPilotune::NumeroTitre() { return Query(kQueryWritePlaylist) + 1; }

void TPilotune::JouerTitre(int n) {
    window_.Send(kWmUser, static_cast<std::uintptr_t>(static_cast<std::intptr_t>(n) - 1),
                 kQuerySetPosition);
    Command(kCmdPlay);
}

int TPilotune::Etat() {
    const int state = Query(kQueryState);
    return state == 0 || state == 1 || state == 3 ? state : 4;
}

std::string TPilotune::TexteEtat() {
    switch (Query(kQueryState)) {
    case 0: return " - Stop";
    case 1: return "";
    case 3: return " - Pause";
    default: return " - Erreur";
    }
}

int TPilotune::NbTitres() { return std::clamp(Query(kQueryLength), 0, kMaxPlaylistEntries); }

bool TPilotune::HasardActif() { return Query(kQueryShuffle) == 1; }

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
    if (!CacheIsCurrent()) {
        if (!LireListe()) {
            std::string error;
            if (!LireListe(&error)) system_.ShowMessage(error);
            return {};
        }
    }
    if (n < 1 || static_cast<std::size_t>(n) > cache_.Size()) return {};
    return std::string(cache_.Entry(static_cast<std::size_t>(n) - 1));
}

int TPilotune::ChercherTitre(const std::string& nom) {
    if (!CacheIsCurrent() && !LireListe()) return 0;
    return cache_.Find(nom);
}

void TPilotune::AfficherChercheur() {
    Command(kCmdSearchWindow);
    window_.RaiseSearchWindow();
}

} // namespace pilotune
