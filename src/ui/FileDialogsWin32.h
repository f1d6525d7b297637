#pragma once
// The system's file-open and file-save dialogs and folder browser, with the caller's French
// texts. Both return nothing when the user cancels.
#include <windows.h>

#include <optional>
#include <string>

namespace pilotune {

// `filter` pairs a description with its patterns, separated by "|":
// "Programmes (*.exe)|*.exe|Tous les fichiers (*.*)|*.*".
std::optional<std::string> ChooseFileToOpen(HWND owner, const std::string& title,
                                            const std::string& filter,
                                            const std::string& initialPath = {});

// A file to write, new or not; `extension` ("txt") is added to a name typed
// without one.
std::optional<std::string> ChooseFileToSave(HWND owner, const std::string& title,
                                            const std::string& filter,
                                            const std::string& initialPath,
                                            const std::string& extension);

// Opens at `start` when it is a folder.
std::optional<std::string> ChooseFolder(HWND owner, const std::string& title,
                                        const std::string& start = {});

} // namespace pilotune
