#include "system/UpdateCheck.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <vector>

#include "settings/Codecs.h"
#include "settings/SettingsStore.h"

namespace pilotune {

namespace {

constexpr std::string_view kFailurePrefix =
    "La vérification des mises à jour n'a pas pu être faite : ";

std::string Lower(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

std::string Trimmed(std::string_view s) {
    const auto first = s.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    const auto last = s.find_last_not_of(" \t\r\n");
    return std::string(s.substr(first, last - first + 1));
}

UpdateResult Failure(UpdateResult r, const std::string& reason, const std::string& server) {
    r.outcome = UpdateOutcome::Failed;
    r.message = std::string(kFailurePrefix) + reason + ".";
    r.address = IsWebAddress(server) ? Trimmed(server) : std::string();
    return r;
}

// Length of the UTF-8 sequence that starts at s[i]; 0 when none does
// (a stray byte, a cut sequence, an overlong form, a surrogate).
std::size_t SequenceLength(std::string_view s, std::size_t i) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) return 1;
    std::size_t len = 0;
    if (b0 >= 0xC2 && b0 <= 0xDF)
        len = 2;
    else if (b0 >= 0xE0 && b0 <= 0xEF)
        len = 3;
    else if (b0 >= 0xF0 && b0 <= 0xF4)
        len = 4;
    else
        return 0;
    if (i + len > s.size()) return 0;
    char32_t cp = b0 & (0x7F >> len);
    for (std::size_t k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    const bool overlong = (len == 3 && cp < 0x800) || (len == 4 && cp < 0x10000);
    if (overlong || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return len;
}

bool IsUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t len = SequenceLength(s, i);
        if (len == 0) return false;
        i += len;
    }
    return true;
}

// UTF-8 with every byte that starts no sequence replaced by U+FFFD.
std::string Utf8Repaired(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t len = SequenceLength(s, i);
        if (len == 0) {
            out += "\xEF\xBF\xBD";
            ++i;
        } else {
            out.append(s.substr(i, len));
            i += len;
        }
    }
    return out;
}

// Lines ended by LF, CR LF or CR, joined with CR LF; a NUL reads as a space.
std::string WithCrLf(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out += "\r\n";
        } else {
            out += c == '\0' ? ' ' : c;
        }
    }
    if (out.ends_with("\r\n")) out.resize(out.size() - 2);
    return out;
}

} // namespace

std::string DecodeDetailsText(std::string_view bytes, const TextCodec& ansi) {
    if (bytes.starts_with("\xEF\xBB\xBF")) return WithCrLf(Utf8Repaired(bytes.substr(3)));
    if (bytes.starts_with("\xFF\xFE")) return WithCrLf(Utf16LeToUtf8(bytes.substr(2)));
    if (IsUtf8(bytes)) return WithCrLf(bytes);
    return WithCrLf(ansi.Decode(bytes));
}

UpdateResult UpdateFailure(const UpdateSetup& setup, const std::string& reason) {
    UpdateResult r;
    r.caption = std::string("Mise à jour de ") + kApplicationTitle + " V" + setup.fileVersion;
    return Failure(r, reason, setup.server);
}

bool IsWebAddress(std::string_view address) {
    const std::string a = Lower(Trimmed(address));
    for (std::string_view scheme : {"http://", "https://"})
        if (a.size() > scheme.size() && a.starts_with(scheme)) {
            // Nothing that a shell would read as a second command or path.
            return a.find_first_of(" \t\"<>|^\\") == std::string::npos &&
                   std::none_of(a.begin(), a.end(),
                                [](unsigned char c) { return c < 0x20 || c == 0x7F; });
        }
    return false;
}

std::string UpdateFileAddress(std::string_view server) {
    std::string base = Trimmed(server);
    if (!base.empty() && base.back() != '/') base += '/';
    return base + kUpdateFile;
}

std::string ReadUpdateServer(const SettingsStore& store) {
    return Trimmed(store.ReadText("Divers", "ServeurMAJ", "", true));
}

namespace {
// The numbers of a version, without their leading zeros; nothing when the text
// is not numbers separated by dots.
std::optional<std::vector<std::string_view>> VersionNumbers(std::string_view v) {
    std::vector<std::string_view> numbers;
    for (;;) {
        const std::size_t dot = std::min(v.find('.'), v.size());
        std::string_view n = v.substr(0, dot);
        if (n.empty() ||
            !std::all_of(n.begin(), n.end(), [](char c) { return c >= '0' && c <= '9'; }))
            return std::nullopt;
        while (n.size() > 1 && n.front() == '0')
            n.remove_prefix(1);
        numbers.push_back(n);
        if (dot == v.size()) return numbers;
        v.remove_prefix(dot + 1);
    }
}
} // namespace

bool IsNewerVersion(std::string_view candidate, std::string_view running) {
    const auto a = VersionNumbers(candidate);
    if (!a) return false;
    // An unreadable version of our own reads as 0: any real version is higher.
    const auto b = VersionNumbers(running).value_or(std::vector<std::string_view>{});
    for (std::size_t i = 0; i < std::max(a->size(), b.size()); ++i) {
        const std::string_view x = i < a->size() ? (*a)[i] : "0";
        const std::string_view y = i < b.size() ? b[i] : "0";
        // Same width: the text order is the number order, however long.
        if (x.size() != y.size()) return x.size() > y.size();
        if (x != y) return x > y;
    }
    return false;
}

UpdateResult CheckForUpdate(const UpdateSetup& setup, UpdateTransport& transport) {
    UpdateResult r;
    r.caption = std::string("Mise à jour de ") + kApplicationTitle + " V" + setup.fileVersion;

    if (Trimmed(setup.server).empty())
        return Failure(r,
                       "aucun serveur de mise à jour n'est indiqué (clé ServeurMAJ de la "
                       "section Divers du fichier de paramètres)",
                       setup.server);
    if (!IsWebAddress(setup.server))
        return Failure(r,
                       "l'adresse du serveur de mise à jour « " + Trimmed(setup.server) +
                           " » n'est pas une adresse http:// ou https://",
                       setup.server);

    const std::string iniPath = setup.folder + kUpdateFile;
    const std::string error = transport.Download(UpdateFileAddress(setup.server), iniPath);
    if (!error.empty()) return Failure(r, error, setup.server);

    SettingsStore ini;
    ini.Open(iniPath, {.exePath = setup.folder + kApplicationTitle + ".exe",
                       .codec = setup.codec,
                       .files = setup.files});
    const std::string version = Trimmed(ini.ReadText(kApplicationTitle, "Version", "0", false));
    const std::string url = Trimmed(ini.ReadText(kApplicationTitle, "URL", "", false));
    r.address = IsWebAddress(url) ? url : std::string();

    if (IsNewerVersion(version, setup.fileVersion)) {
        r.outcome = UpdateOutcome::NewVersion;
        r.version = version;
        ini.WriteText(kApplicationTitle, "Version", "0", false);
        ini.Flush();
        r.message = "Une nouvelle version est disponible, la " + version +
                    ".\r\nVoulez-vous la télécharger ?";
        const std::string more = Trimmed(ini.ReadText(kApplicationTitle, "ListePlus", "", false));
        const std::string detailsPath = setup.folder + kUpdateDetailsFile;
        const bool fetched = IsWebAddress(more) && transport.Download(more, detailsPath).empty();
        const Windows1252Codec western;
        const std::string text = fetched ? DecodeDetailsText(setup.files->Read(detailsPath).bytes,
                                                             setup.codec ? *setup.codec : western)
                                         : std::string();
        r.details = Trimmed(text).empty() ? std::string(kNoDetails) : text;
    } else {
        r.outcome = UpdateOutcome::Current;
        r.message = "Votre version est à jour.\r\nVoulez-vous tout de même télécharger le "
                    "programme ?";
    }
    return r; // the store is dropped unwritten: only the Version reset reaches the file
}

} // namespace pilotune
