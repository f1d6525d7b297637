#pragma once
// Small system helpers: Z order, Windows family, version resource,
// the other running instance.
#include <windows.h>

#include <string>
#include <string_view>

namespace pilotune {

// The Z-order positions of SetTopMost: HWND_TOPMOST and HWND_NOTOPMOST as bytes.
inline constexpr signed char kTopMost = -1;
inline constexpr signed char kNotTopMost = -2;

// Moves `window` in the Z order without moving, sizing or activating it:
// kTopMost puts it above all non-topmost windows for good, kNotTopMost takes
// that away. Any other position does nothing and returns false.
bool SetTopMost(HWND window, signed char position);

// True on the NT family (high bit of GetVersion clear).
bool IsWindowsNT();

// Reads "\\StringFileInfo\\040C04E4\\FileVersion" of the running executable
// into `out` and returns true; leaves `out` untouched and returns false when
// there is no such value.
bool FileVersion(std::string& out);

// Another top-level window of class `className` captioned `title`, other than
// `self`; nullptr when there is none.
HWND FindOtherInstance(std::string_view className, std::string_view title, HWND self);

} // namespace pilotune
