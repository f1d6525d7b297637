#pragma once
// Where the running program lies.
#include <windows.h>

#include <string>

namespace pilotune {

// Full path of the running executable (long paths included), UTF-8; empty
// when Windows does not give it.
std::string ExecutablePath();

// The folder of the running executable, with its final backslash: the folder
// of the settings file, the help, the read-me, the hook library and the
// background picture.
std::string ProgramFolder();

// Loads a library of Windows from the system folder by its full path: never
// a file of the same name planted in the program's folder or the current one.
HMODULE LoadSystemLibrary(const wchar_t* name);

// At start: libraries loaded later by name are searched for only in the
// system folder and the program's own folder (where the system allows it).
void RestrictLibrarySearch();

} // namespace pilotune
