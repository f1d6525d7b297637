#include "player/Winamp.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "player/Playlist.h"
#include "settings/Codecs.h"

namespace pilotune {

namespace {
// Whether `s` is well-formed UTF-8 (no overlong form, no surrogate).
bool IsValidUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        std::size_t n = 0;
        if (c >= 0xC2 && c < 0xE0)
            n = 1;
        else if (c >= 0xE0 && c < 0xF0)
            n = 2;
        else if (c >= 0xF0 && c < 0xF5)
            n = 3;
        else if (c >= 0x80)
            return false;
        if (i + n >= s.size()) return false;
        char32_t cp = n == 0 ? c : c & (0x3F >> n);
        for (std::size_t k = 1; k <= n; ++k) {
            const unsigned char t = static_cast<unsigned char>(s[i + k]);
            if ((t & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (t & 0x3F);
        }
        if ((n == 2 && (cp < 0x800 || (cp >= 0xD800 && cp < 0xE000))) ||
            (n == 3 && (cp < 0x10000 || cp > 0x10FFFF)))
            return false;
        i += n + 1;
    }
    return true;
}
} // namespace

int VolumePercent(int level) {
    return (std::clamp(level, 0, kMaxVolume) * 100 + kMaxVolume / 2) / kMaxVolume;
}

int VolumeLevel(int percent) {
    return (std::clamp(percent, 0, 100) * kMaxVolume + 50) / 100;
}

std::string TitleFromCaption(const std::string& caption) {
    return TitleFromCaption(caption, ProfileForProgram(""));
}

TPilotune::TPilotune(PlayerWindow& window, PlayerSystem& system, std::string programPath)
    : window_(window), system_(system), path_(std::move(programPath)),
      profile_(&ProfileForProgram("")) {}

std::string TPilotune::FichierListe() const {
    return PlaylistPathFor(ProgramPath());
}

void TPilotune::ChooseProfile() {
    programFile_ = window_.ProgramFile().value_or(std::string());
    profile_ = forced_ ? forced_ : &ProfileForProgram(programFile_);
}

void TPilotune::ForcerProfil(const std::string& name) {
    forced_ = ProfileNamed(name);
    profile_ = forced_ ? forced_ : &ProfileForProgram(programFile_);
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
    if (window_.Find()) return ChooseProfile();
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
    ChooseProfile();
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

std::optional<int> TPilotune::DemanderPositionMs() {
    auto ms = Query(kQueryTime, 0);
    if (!ms || *ms < 0) return std::nullopt;
    return ms;
}

std::optional<int> TPilotune::DemanderVolume() {
    if (!profile_->answersVolume) return std::nullopt;
    auto level = Query(kQueryVolume, static_cast<std::uintptr_t>(std::intptr_t{kAskVolume}));
    if (!level) return std::nullopt;
    return std::clamp(*level, 0, kMaxVolume);
}

void TPilotune::ReglerVolume(int level) {
    window_.Send(kWmUser, static_cast<std::uintptr_t>(std::clamp(level, 0, kMaxVolume)),
                 kQueryVolume);
}

std::optional<bool> TPilotune::DemanderRepetition() {
    if (!profile_->answersRepeat) return std::nullopt;
    auto repeat = Query(kQueryRepeat);
    if (!repeat) return std::nullopt;
    return *repeat == 1;
}

void TPilotune::BasculerRepetition() {
    SendCommand(kCmdRepeat);
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
    return TitleFromCaption(*caption, *profile_);
}
std::string TPilotune::Titre() {
    return DemanderTitre().value_or(std::string());
}

void TPilotune::AllerA(int seconds) {
    AllerAMs(
        static_cast<int>(std::clamp<std::int64_t>(std::int64_t{seconds} * 1000, 0, INT32_MAX)));
}
void TPilotune::AllerAMs(int ms) {
    window_.Post(kWmUser, static_cast<std::uintptr_t>(std::max(ms, 0)), kQuerySeek);
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

std::optional<std::string> TPilotune::AskFolder(int query, int unit) {
    // A player that does not know the question answers 0 or 1. The address is
    // read at once and forgotten: the player may move the string at any time.
    const auto answer = window_.Send(kWmUser, 0, query);
    if (!answer || static_cast<std::uintptr_t>(*answer) <= 1) return std::nullopt;
    const auto bytes = window_.ReadString(static_cast<std::uintptr_t>(*answer), unit);
    if (!bytes || bytes->empty()) return std::nullopt;
    if (unit == 2) return Utf16LeToUtf8(*bytes);
    if (profile_->strings != TextEncoding::Ansi && IsValidUtf8(*bytes)) return *bytes;
    std::string text;
    system_.DecodeAnsi(*bytes, text);
    return text;
}

std::vector<PlaylistCandidate> TPilotune::PlaylistFiles() {
    if (profile_->asksFolder) {
        auto folder = AskFolder(kQueryPlaylistFolderWide, 2);
        if (!folder) folder = AskFolder(kQueryPlaylistFolderAnsi, 1);
        if (folder) return PlaylistCandidates(*profile_, folder, ProgramPath());
    }
    if (profile_->registryFolder) {
        const std::string folder = system_.RegisteredPlayerFolder();
        if (!folder.empty()) return PlaylistCandidates(*profile_, folder, ProgramPath());
    }
    if (profile_->besideProgram) return PlaylistCandidates(*profile_, std::nullopt, ProgramPath());
    return {};
}

bool TPilotune::ReadPlaylist(const PlaylistCandidate& file, std::size_t length,
                             std::string& error) {
    cache_.Reset(length);
    auto decode = [this, &file](std::string_view line, std::string& out) {
        if (file.encoding != TextEncoding::Ansi && IsValidUtf8(line))
            out += line;
        else
            system_.DecodeAnsi(line, out);
    };
    bool first = true;
    cache_.Begin();
    const bool read = system_.ReadFile(
        file.path,
        [&](std::string_view chunk) {
            if (std::exchange(first, false) && chunk.starts_with("\xEF\xBB\xBF"))
                chunk.remove_prefix(3); // the byte-order mark of a UTF-8 file
            return cache_.Feed(chunk, decode);
        },
        error);
    cache_.Finish(decode);
    return read;
}

bool TPilotune::LireListe(std::string* error) {
    // Only a file that this request wrote is the player's current list: one
    // left by an older install, or by a player that writes elsewhere, is not.
    const std::vector<PlaylistCandidate> files = PlaylistFiles();
    const std::optional<std::uint64_t> clock = system_.FileClock();
    std::vector<std::optional<std::uint64_t>> before;
    if (clock)
        for (const PlaylistCandidate& file : files)
            before.push_back(system_.FileTime(file.path));
    Query(kQueryWritePlaylist);
    const auto length = static_cast<std::size_t>(NbTitres());
    std::string why = kNoCurrentPlaylist;
    if (profile_->registryFolder) why += kNoCurrentPlaylistFoobar;
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (clock) {
            const auto written = system_.FileTime(files[i].path);
            if (!written || (written == before[i] && *written + kPlaylistSlack < *clock)) continue;
        }
        if (ReadPlaylist(files[i], length, why)) {
            listRead_ = true;
            told_ = false;
            return true;
        }
    }
    cache_.Reset(length);
    listRead_ = false;
    listError_ = why;
    failedAt_ = system_.NowMs();
    if (error) *error = why;
    return false;
}

bool TPilotune::CacheIsCurrent() {
    if (!listRead_ && system_.NowMs() - failedAt_ >= kPlaylistRetryMs) return false;
    return cache_.Size() == static_cast<std::size_t>(NbTitres());
}

void TPilotune::Tell(const std::string& error) {
    if (std::exchange(told_, true)) return;
    system_.ShowMessage(error);
}

std::string TPilotune::FichierTitre(int n) {
    return TrackFiles({n}).front();
}

std::vector<std::string> TPilotune::TrackFiles(const std::vector<int>& numbers) {
    std::vector<std::string> files(numbers.size());
    const bool failed = !CacheIsCurrent() && !LireListe() && !LireListe();
    if (!listRead_) Tell(listError_); // once, until a list is read again
    if (failed && !CacheIsCurrent()) return files;
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
