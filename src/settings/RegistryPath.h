#pragma once
// A registry location written as one text: "HKEY_CURRENT_USER\Software\Test\Valeur"
// names the value Valeur of the key Software\Test in the current user's hive.
#include <string>
#include <string_view>

namespace pilotune {

enum class RegistryRoot {
    ClassesRoot,
    CurrentUser,
    LocalMachine,
    Users,
    PerformanceData,
    CurrentConfig,
    DynData,
};

// The root named before the first "\" (exact case: "HKEY_CURRENT_USER", ...).
// On a match the root name and its "\" are removed from `path`; otherwise the
// root is the current user's hive and `path` is left whole. A text that is a
// root name and nothing else (no "\") also selects that root.
RegistryRoot TakeRegistryRoot(std::string& path);

struct RegistryValuePath {
    RegistryRoot root = RegistryRoot::CurrentUser;
    std::string key;       // below the root, without leading or trailing "\"
    std::string valueName; // empty: the key's default value
};

// Root as above; then the key is what comes before the last "\" or ":" and the
// value name what follows it (no separator: no key, the whole rest is the name).
RegistryValuePath SplitRegistryPath(std::string_view path);

} // namespace pilotune
