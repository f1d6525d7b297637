#pragma once
// The settings file on any system through the standard library: what tests
// and tools use (DefaultSettingsFiles). The program on Windows uses
// Win32SettingsFiles, which also makes each replace survive a power cut.
#include <string>
#include <string_view>

#include "settings/SettingsStore.h"

namespace pilotune {

// The French reasons of a failed save.
inline constexpr std::string_view kReasonFolder = "ce chemin est celui d'un dossier.";
inline constexpr std::string_view kReasonReadOnly = "le fichier est en lecture seule.";
inline constexpr std::string_view kReasonCreate =
    "impossible de créer un fichier dans son dossier (dossier absent ou protégé en écriture).";
inline constexpr std::string_view kReasonWrite = "l'écriture a échoué (disque plein ?).";
inline constexpr std::string_view kReasonReplace =
    "impossible de remplacer l'ancien fichier (fichier protégé ou utilisé par un autre "
    "programme).";
inline constexpr std::string_view kReasonReread =
    "le fichier a été modifié par une autre session mais n'a pas pu être relu ; il n'est pas "
    "remplacé pour ne pas perdre ses réglages.";

class PortableSettingsFiles final : public SettingsFiles {
  public:
    // A lock on the file's folder (flock) where the system has one.
    std::unique_ptr<FileLock> Lock(const std::string& path) const override;
    FileRead Read(const std::string& path) const override;
    FileStamp Stamp(const std::string& path) const override;
    // The temporary file is `path` + "." + a random number + ".tmp".
    FileReplace Replace(const std::string& path, std::string_view bytes,
                        const FileStamp* expected) const override;
};

} // namespace pilotune
