#pragma once
// Where the running program lies.
#include <string>

namespace pilotune {

// Full path of the running executable (long paths included), UTF-8; empty
// when Windows does not give it.
std::string ExecutablePath();

// The folder of the running executable, with its final backslash: the folder
// of the settings file, the help, the read-me, the hook library and the
// background picture.
std::string ProgramFolder();

} // namespace pilotune
