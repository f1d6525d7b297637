#pragma once
// Which Windows runs, and which version of the program.
#include <windows.h>

#include <string>

namespace pilotune {

// True on the NT family (high bit of GetVersion clear).
bool IsWindowsNT();

// Reads "\\StringFileInfo\\040C04E4\\FileVersion" of the running executable
// into `out` and returns true; leaves `out` untouched and returns false when
// there is no such value.
bool FileVersion(std::string& out);

} // namespace pilotune
