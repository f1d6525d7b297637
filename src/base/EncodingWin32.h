#pragma once
// UTF-8 inside the program, UTF-16 at every Win32 call, the ANSI code page at
// the boundary of the files the system stores in it.
#include <string>
#include <string_view>

namespace pilotune {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

// Bytes in the system's ANSI code page (CP_ACP) <-> UTF-8.
std::string AnsiToUtf8(std::string_view ansi);
std::string Utf8ToAnsi(std::string_view utf8);

} // namespace pilotune
