#pragma once
// A small modal box with a prompt, one edit field, "OK" and "Annuler".
#include <windows.h>

#include <string>

namespace pilotune {

// Shows the box; `text` pre-fills the field and receives what the user left in
// it, whether the box was confirmed or cancelled. Returns true on OK.
bool InputBox(HWND owner, const std::string& title, const std::string& prompt, std::string& text);

// Class name of the box's window, for tests that drive it.
inline constexpr wchar_t kInputBoxClass[] = L"PilotuneInputBox";
inline constexpr int kInputBoxEditId = 100;

} // namespace pilotune
