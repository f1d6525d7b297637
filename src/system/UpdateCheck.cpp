#include "system/UpdateCheck.h"

#include <algorithm>
#include <cctype>

#include "settings/SettingsStore.h"
#include "settings/TextFile.h"

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

} // namespace

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
    SettingsStore::Environment env;
    env.exePath = setup.folder + kApplicationTitle + ".exe";
    env.codec = setup.codec;
    ini.Open(iniPath, env);
    const std::string version = Trimmed(ini.ReadText(kApplicationTitle, "Version", "0", false));
    const std::string url = Trimmed(ini.ReadText(kApplicationTitle, "URL", "", false));
    r.address = IsWebAddress(url) ? url : std::string();

    if (version != setup.fileVersion && version != "0" && !version.empty()) {
        r.outcome = UpdateOutcome::NewVersion;
        r.version = version;
        ini.WriteText(kApplicationTitle, "Version", "0", false);
        ini.Flush();
        r.message = "Une nouvelle version est disponible, la " + version +
                    ".\r\nVoulez-vous la télécharger ?";
        const std::string more = Trimmed(ini.ReadText(kApplicationTitle, "ListePlus", "", false));
        const std::string detailsPath = setup.folder + kUpdateDetailsFile;
        const bool fetched = IsWebAddress(more) && transport.Download(more, detailsPath).empty();
        std::string text = fetched ? ReadTextFile(detailsPath) : std::string();
        if (text.starts_with("\r\n")) text.erase(0, 2); // ReadTextFile puts a break first
        r.details = Trimmed(text).empty() ? std::string(kNoDetails) : text;
    } else {
        r.outcome = UpdateOutcome::Current;
        r.message = "Votre version est à jour.\r\nVoulez-vous tout de même télécharger le "
                    "programme ?";
    }
    return r; // the store is dropped unwritten: only the Version reset reaches the file
}

} // namespace pilotune
