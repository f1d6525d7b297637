#pragma once
// The update check: fetch the server's description file beside the program,
// compare its version with the program's own, fetch the details text, and
// decide what the update window says and which address it may open.
#include <string>
#include <string_view>

#include "settings/SettingsStore.h"

namespace pilotune {

inline constexpr char kUpdateFile[] = "MAJPilotune.ini";
inline constexpr char kUpdateDetailsFile[] = "MAJPilotune.txt";
inline constexpr char kApplicationTitle[] = "Pilotune";
inline constexpr char kNoDetails[] = "Détail indisponnible.";

// Fetches `url` into the file `path`, replacing it only on success. Returns an
// empty text on success, else the French reason of the failure.
class UpdateTransport {
  public:
    virtual ~UpdateTransport() = default;
    virtual std::string Download(const std::string& url, const std::string& path) = 0;
};

struct UpdateSetup {
    std::string folder;               // the program's folder, ending with its separator
    std::string fileVersion;          // the running program's FileVersion
    std::string server;               // base address of the update server (Divers/ServeurMAJ)
    const TextCodec* codec = nullptr; // the ANSI code page; nullptr: Windows-1252
    // Reads the downloaded files and writes the description file back; the
    // program gives its Win32 files.
    const SettingsFiles* files = DefaultSettingsFiles();
};

enum class UpdateOutcome { Current, NewVersion, Failed };

struct UpdateResult {
    UpdateOutcome outcome = UpdateOutcome::Failed;
    std::string caption; // "Mise à jour de Pilotune V<version>"
    std::string message; // the text of lblMAJ
    std::string version; // the server's version when new
    std::string address; // what "Mettre à jour" opens; empty: nothing (button disabled)
    std::string details; // the text of lblDetail when new
};

// True for an http:// or https:// address with something after the scheme:
// the only addresses the check downloads or opens.
bool IsWebAddress(std::string_view address);

// True when `candidate` is a higher version than `running`, compared number
// by number from the left ("1.10" is above "1.9"; a missing number counts as
// 0, so "1.2" equals "1.2.0.0"). A text that is not numbers separated by dots
// is never higher; an unreadable `running` reads as 0.
bool IsNewerVersion(std::string_view candidate, std::string_view running);

// The address of the description file at the root of `server`.
std::string UpdateFileAddress(std::string_view server);

// The details text as a person reads it: UTF-8 when the bytes are UTF-8 or
// begin with its byte-order mark, UTF-16 when they begin with its mark (both
// marks dropped), else the ANSI code page `ansi`. Lines end with CR LF, with
// no break after the last one.
std::string DecodeDetailsText(std::string_view bytes, const TextCodec& ansi);

// A failed check with the French `reason`, as the window shows it.
UpdateResult UpdateFailure(const UpdateSetup& setup, const std::string& reason);

// Runs the whole check. A description file that could not be fetched makes a
// failure with its reason; the local copy of an earlier check is not read.
UpdateResult CheckForUpdate(const UpdateSetup& setup, UpdateTransport& transport);

// The update server's base address: key "ServeurMAJ" of section "Divers",
// empty (no server) by default.
std::string ReadUpdateServer(const SettingsStore& store);

// Whether the window is shown: always from the menu, else only when new.
inline bool ShowsUpdateWindow(const UpdateResult& r, bool fromMenu) {
    return fromMenu || r.outcome == UpdateOutcome::NewVersion;
}

} // namespace pilotune
