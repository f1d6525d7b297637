#include "copy/MusicCopy.h"

#include <exception>

#include "player/Playlist.h"
#include "player/Winamp.h"
#include "settings/Option.h"

namespace pilotune {

namespace {

// Empty when the folder is ready, else the status.
std::string PrepareDestination(COption& options, CopyFileSystem& files) {
    try {
        if (options.CopyPath.empty()) return std::string(kCopyBadDestination);
        if (options.CopyPath.back() != '\\') options.CopyPath += '\\';
        files.CreateFolders(options.CopyPath);
        if (!files.FolderExists(options.CopyPath)) return std::string(kCopyBadDestination);
        return {};
    } catch (const std::exception& e) {
        return e.what();
    }
}

std::string Copy(const std::string& folder, const std::string& source, CopyFileSystem& files) {
    try {
        if (!files.FileExists(source)) return std::string(kCopyMissingFile);
        const std::string name(FileNamePart(source));
        if (name.empty()) return std::string(kCopyMissingFile);
        const std::string target = folder + name;
        if (files.FileExists(target)) return std::string(kCopyAlreadyThere);
        if (!files.CanShellCopy(source, target)) return std::string(kCopyFailed);
        files.ShellCopy(source, target);
        return std::string(files.FileExists(target) ? kCopyDone : kCopyFailed);
    } catch (const std::exception& e) {
        return e.what();
    }
}

} // namespace

std::string CopyMusic(COption& options, const std::string& source, CopyFileSystem& files) {
    std::string status = PrepareDestination(options, files);
    if (status.empty()) status = Copy(options.CopyPath, source, files);
    return status;
}

std::string CopyCurrentTrack(COption& options, TPilotune& player, CopyFileSystem& files,
                             CopyTrackBar& bar) {
    bar.StopTick();
    const std::string title = bar.Title();
    const std::string source = player.FichierTitre(player.NumeroTitre());
    const std::string status = CopyMusic(options, source, files);
    bar.ShowTitle(title + " - " + status);
    bar.RestoreTitleAfter(kCopyResultMs);
    return status;
}

} // namespace pilotune
