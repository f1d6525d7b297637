#include "settings/RegistryPath.h"

#include <array>
#include <utility>

namespace pilotune {

namespace {
constexpr std::array<std::pair<std::string_view, RegistryRoot>, 7> kRoots{{
    {"HKEY_CLASSES_ROOT", RegistryRoot::ClassesRoot},
    {"HKEY_CURRENT_USER", RegistryRoot::CurrentUser},
    {"HKEY_LOCAL_MACHINE", RegistryRoot::LocalMachine},
    {"HKEY_USERS", RegistryRoot::Users},
    {"HKEY_PERFORMANCE_DATA", RegistryRoot::PerformanceData},
    {"HKEY_CURRENT_CONFIG", RegistryRoot::CurrentConfig},
    {"HKEY_DYN_DATA", RegistryRoot::DynData},
}};
} // namespace

RegistryRoot TakeRegistryRoot(std::string& path) {
    const auto slash = path.find('\\');
    const std::string_view head = std::string_view(path).substr(0, slash);
    for (const auto& [name, root] : kRoots) {
        if (head == name) {
            path.erase(0, slash == std::string::npos ? path.size() : slash + 1);
            return root;
        }
    }
    return RegistryRoot::CurrentUser;
}

RegistryValuePath SplitRegistryPath(std::string_view text) {
    RegistryValuePath result;
    std::string rest(text);
    result.root = TakeRegistryRoot(rest);
    const auto separator = rest.find_last_of("\\:");
    if (separator == std::string::npos) {
        result.valueName = std::move(rest);
        return result;
    }
    result.valueName = rest.substr(separator + 1);
    result.key = rest.substr(0, separator);
    // "\Software\Test\\" and the like: the key itself has no edge separators.
    while (!result.key.empty() && result.key.back() == '\\')
        result.key.pop_back();
    const auto first = result.key.find_first_not_of('\\');
    result.key.erase(0, first == std::string::npos ? result.key.size() : first);
    return result;
}

} // namespace pilotune
