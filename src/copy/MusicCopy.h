#pragma once
// Copying track files into the copy folder, one file at a time, each answered
// by a short French status text.
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
    // False when the shell cannot take these paths (nothing is copied).
    virtual bool CanShellCopy(const std::string& source, const std::string& target) = 0;
    // One copy through the shell's file operation; its outcome is checked on disk.
    virtual void ShellCopy(const std::string& source, const std::string& target) = 0;
};

// Copies `source` into options.CopyPath (a "\" is appended to the setting when
// it lacks one) and returns the status.
std::string CopyMusic(COption& options, const std::string& source, CopyFileSystem& files);

// The bar's side of the copy of the playing track.
class CopyTrackBar {
  public:
    virtual ~CopyTrackBar() = default;
    virtual void StopTick() = 0;
    virtual std::string Title() = 0;                     // caption of lblTitreB
    virtual void ShowTitle(const std::string& text) = 0; // both title labels
    // After `ms`, without blocking meanwhile: the normal title again and the
    // tick running.
    virtual void RestoreTitleAfter(int ms) = 0;
};

inline constexpr int kCopyResultMs = 1500;

// Action COPIER: copies the playing track's file and shows "<title> - <status>"
// on the bar for 1.5 s, the playback tick stopped meanwhile. Returns the status
// at once; the bar restores its title by itself.
std::string CopyCurrentTrack(COption& options, TPilotune& player, CopyFileSystem& files,
                             CopyTrackBar& bar);

} // namespace pilotune
