#pragma once
// Copying track files into the copy folder, one file at a time, each answered
// by a short French status text.
#include <functional>
#include <string>
#include <string_view>

namespace pilotune {

class COption;
class TPilotune;

inline constexpr std::string_view kCopyBadDestination = "Erreur destination";
inline constexpr std::string_view kCopyMissingFile = "Fichier manquant";
inline constexpr std::string_view kCopyAlreadyThere = "Fichier déjà copier";
inline constexpr std::string_view kCopyDone = "Copie réussi";
inline constexpr std::string_view kCopyFailed = "Erreur de copie";

// The file system as the copy sees it. A method may throw std::exception: its
// message becomes the status.
class CopyFileSystem {
  public:
    virtual ~CopyFileSystem() = default;
    virtual bool FileExists(const std::string& path) = 0;
    virtual bool FolderExists(const std::string& path) = 0;
    // Creates the folder and its missing parents; the caller checks the result.
    virtual void CreateFolders(const std::string& path) = 0;
    // False when these paths are not copied (nothing is copied).
    virtual bool CanCopy(const std::string& source, const std::string& target) = 0;
    // One copy; its outcome is checked on disk. A copy asked to stop throws
    // CopyCancelled.
    virtual void Copy(const std::string& source, const std::string& target) = 0;
    // Gives `from` the name `to`, which must not exist; false when it could not.
    virtual bool Rename(const std::string& from, const std::string& to) = 0;
    virtual void Remove(const std::string& path) noexcept = 0;
};

// Thrown by a copy asked to stop: no status, the rest of the list is left.
struct CopyCancelled {};

// A file is copied under this name beside its final one, and takes its final
// name only when whole.
inline constexpr std::string_view kCopyPartSuffix = ".copie-en-cours";

// Copies `source` into options.CopyPath (a "\" is appended to the setting when
// it lacks one) and returns the status. Throws CopyCancelled, its partial file
// removed, when the copy was asked to stop.
std::string CopyMusic(COption& options, const std::string& source, CopyFileSystem& files);

// The bar's side of the copy of the playing track.
class CopyTrackBar {
  public:
    virtual ~CopyTrackBar() = default;
    // Copies `source` into `folder` on a worker; `done` gets the status on the
    // interface thread. False, and nothing copied, while a track copy runs.
    virtual bool CopyOnWorker(const std::string& folder, const std::string& source,
                              std::function<void(const std::string& status)> done) = 0;
    virtual void StopTick() = 0;
    virtual std::string Title() = 0;                     // caption of lblTitreB
    virtual void ShowTitle(const std::string& text) = 0; // both title labels
    // After `ms`, without blocking meanwhile: the normal title again and the
    // tick running.
    virtual void RestoreTitleAfter(int ms) = 0;
};

inline constexpr int kCopyResultMs = 1500;

// Action COPIER: copies the playing track's file on a worker, the bar going on
// meanwhile; its status then shows as "<title> - <status>" for 1.5 s, the
// playback tick stopped meanwhile, and the bar restores its title by itself.
void CopyCurrentTrack(COption& options, TPilotune& player, CopyTrackBar& bar);

} // namespace pilotune
