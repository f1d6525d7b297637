#pragma once
// The list copy's worker on Windows: the shell copy with COM set up on the
// worker's thread, and the statuses posted back to a window.
#include <windows.h>

#include <memory>
#include <string>

#include "copy/ListCopy.h"

namespace pilotune {

// The shell copy for the worker; `owner` owns the shell's progress and error
// windows. Made and destroyed on the worker.
std::unique_ptr<CopyFileSystem> WorkerShellCopy(HWND owner);

// Posts (id, status) to `window` as `message`: wParam the id, lParam a
// std::string* that the receiver takes with TakePostedStatus.
void PostCopyStatus(HWND window, UINT message, long long id, const std::string& status);
std::string TakePostedStatus(LPARAM lParam);

} // namespace pilotune
