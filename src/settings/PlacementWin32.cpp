#include "settings/PlacementWin32.h"

namespace pilotune {

namespace {
constexpr int kFar = 1 << 20; // beyond any desktop; keeps the sums below in range

bool Plausible(int left, int top, int width, int height) {
    if (left < -kFar || left > kFar || top < -kFar || top > kFar) return false;
    const RECT r{left, top, left + width, top + height};
    return MonitorFromRect(&r, MONITOR_DEFAULTTONULL) != nullptr;
}

void Save(SettingsStore& store, HWND window, std::string_view section, bool perUser) {
    if (IsIconic(window)) return;
    if (IsZoomed(window)) {
        store.WriteInteger(section, "WindowState", kStateMaximised, perUser);
        return;
    }
    RECT r{};
    if (!GetWindowRect(window, &r)) return;
    store.WriteInteger(section, "WindowState", kStateNormal, perUser);
    store.WriteInteger(section, "Left", r.left, perUser);
    store.WriteInteger(section, "Top", r.top, perUser);
    store.WriteInteger(section, "Width", r.right - r.left, perUser);
    store.WriteInteger(section, "Height", r.bottom - r.top, perUser);
}

void Load(const SettingsStore& store, HWND window, std::string_view section, bool perUser,
          int defaultState) {
    if (defaultState != kStateMaximised) defaultState = kStateNormal;
    int state = store.ReadInteger(section, "WindowState", defaultState, perUser);
    if (state != kStateNormal && state != kStateMaximised) state = defaultState;

    if (state == kStateMaximised) {
        ShowWindow(window, SW_SHOWMAXIMIZED);
        return;
    }
    if (IsZoomed(window) || IsIconic(window)) ShowWindow(window, SW_RESTORE);
    RECT r{};
    if (!GetWindowRect(window, &r)) return;
    int left = store.ReadInteger(section, "Left", r.left, perUser);
    int top = store.ReadInteger(section, "Top", r.top, perUser);
    int width = store.ReadInteger(section, "Width", r.right - r.left, perUser);
    int height = store.ReadInteger(section, "Height", r.bottom - r.top, perUser);
    if (width <= 0 || width > kFar) width = r.right - r.left;
    if (height <= 0 || height > kFar) height = r.bottom - r.top;
    if (!Plausible(left, top, width, height)) {
        left = r.left;
        top = r.top;
    }
    // Where it opened (saved there, not moved since): nothing to move.
    if (left != r.left || top != r.top || width != r.right - r.left || height != r.bottom - r.top)
        SetWindowPos(window, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}
} // namespace

void Placement(SettingsStore& store, HWND window, std::string_view section, int mode, bool perUser,
               int defaultState) {
    if (!IsWindow(window)) return;
    if (mode == kPlacementSave)
        Save(store, window, section, perUser);
    else if (mode == kPlacementLoad)
        Load(store, window, section, perUser, defaultState);
}

} // namespace pilotune
