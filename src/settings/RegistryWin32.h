#pragma once
// Registry access through one path text (see RegistryPath.h).
#include <windows.h>

#include <string>
#include <string_view>
#include <utility>

#include "settings/RegistryPath.h"

namespace pilotune {

// Owns an open registry key; closes it once.
class RegistryKey {
  public:
    RegistryKey() = default;
    explicit RegistryKey(HKEY key) : key_(key) {}
    RegistryKey(RegistryKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}
    RegistryKey& operator=(RegistryKey&& other) noexcept;
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    ~RegistryKey();

    HKEY get() const { return key_; }
    explicit operator bool() const { return key_ != nullptr; }

  private:
    HKEY key_ = nullptr;
};

HKEY RootKey(RegistryRoot root);

// Selects the root named at the front of `path` (HKEY_CURRENT_USER when none)
// and removes that root name and its "\" from `path`. The handle is a
// predefined root: nothing to close.
HKEY OpenRegistryPath(std::string& path);

// Writes `data` as a REG_SZ value, creating the key when it is missing. On
// failure tells the user "Echec à la définition des données pour '<value>'"
// and returns false. A path with no key below the root is refused: values
// are never written straight into a hive.
bool WriteRegistryText(std::string_view path, std::string_view data);

// Deletes the value if its key exists; never creates anything, never tells the
// user. True when a value was deleted.
bool DeleteRegistryValue(std::string_view path);

} // namespace pilotune
