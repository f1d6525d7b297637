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
        // Copied under a name of its own, so that a copy cut short never
        // leaves a partial file under the final name.
        const std::string part = target + std::string(kCopyPartSuffix);
        if (!files.CanCopy(source, part)) return std::string(kCopyFailed);
        struct PartGuard {
            CopyFileSystem& files;
            const std::string& part;
            ~PartGuard() { files.Remove(part); }
        } guard{files, part};
        files.Remove(part); // left by a program that was killed
        files.Copy(source, part);
        const bool whole = files.FileExists(part) && files.Rename(part, target);
        return std::string(whole && files.FileExists(target) ? kCopyDone : kCopyFailed);
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

void CopyCurrentTrack(COption& options, TPilotune& player, CopyTrackBar& bar) {
    // The setting keeps its backslash as a copy on this thread would leave it.
    if (!options.CopyPath.empty() && options.CopyPath.back() != '\\') options.CopyPath += '\\';
    const std::string title = bar.Title();
    const std::string source = player.FichierTitre(player.NumeroTitre());
    bar.CopyOnWorker(options.CopyPath, source, [&bar, title](const std::string& status) {
        bar.StopTick();
        bar.ShowTitle(title + " - " + status);
        bar.RestoreTitleAfter(kCopyResultMs);
    });
}

} // namespace pilotune
