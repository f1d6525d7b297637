#pragma once
// How the program tells the user something. The program installs message boxes
// (InstallMessageBoxes in MessagesWin32.h); tests install a recording sink, so
// that no modal box ever blocks a test run.
#include <string>

namespace pilotune {

class UserMessages {
  public:
    virtual ~UserMessages() = default;
    virtual void Error(const std::string& text) = 0;
    virtual void Info(const std::string& text) = 0;
    // Yes / No question; true for Yes.
    virtual bool Confirm(const std::string& text) = 0;
};

// The program-wide sink; a silent one until something is installed.
UserMessages& Messages();
// Installs a sink (not owned); nullptr puts the silent one back.
void SetMessages(UserMessages* sink);

} // namespace pilotune
