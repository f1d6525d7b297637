#include "settings/RegistryWin32.h"

#include "base/EncodingWin32.h"
#include "base/Messages.h"

namespace pilotune {

RegistryKey& RegistryKey::operator=(RegistryKey&& other) noexcept {
    if (this != &other) {
        if (key_) RegCloseKey(key_);
        key_ = std::exchange(other.key_, nullptr);
    }
    return *this;
}

RegistryKey::~RegistryKey() {
    if (key_) RegCloseKey(key_);
}

HKEY RootKey(RegistryRoot root) {
    switch (root) {
    case RegistryRoot::ClassesRoot:
        return HKEY_CLASSES_ROOT;
    case RegistryRoot::CurrentUser:
        return HKEY_CURRENT_USER;
    case RegistryRoot::LocalMachine:
        return HKEY_LOCAL_MACHINE;
    case RegistryRoot::Users:
        return HKEY_USERS;
    case RegistryRoot::PerformanceData:
        return HKEY_PERFORMANCE_DATA;
    case RegistryRoot::CurrentConfig:
        return HKEY_CURRENT_CONFIG;
    case RegistryRoot::DynData:
        return HKEY_DYN_DATA;
    }
    return HKEY_CURRENT_USER;
}

HKEY OpenRegistryPath(std::string& path) {
    return RootKey(TakeRegistryRoot(path));
}

namespace {
bool TryWrite(const RegistryValuePath& where, std::string_view data) {
    if (where.key.empty()) return false;
    HKEY opened = nullptr;
    if (RegCreateKeyExW(RootKey(where.root), Widen(where.key).c_str(), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &opened,
                        nullptr) != ERROR_SUCCESS)
        return false;
    RegistryKey key(opened);
    const std::wstring value = Widen(data);
    const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key.get(), Widen(where.valueName).c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(value.c_str()), bytes) == ERROR_SUCCESS;
}
} // namespace

bool WriteRegistryText(std::string_view path, std::string_view data) {
    const RegistryValuePath where = SplitRegistryPath(path);
    if (TryWrite(where, data)) return true;
    Messages().Error("Echec à la définition des données pour '" + where.valueName + "'");
    return false;
}

bool DeleteRegistryValue(std::string_view path) {
    const RegistryValuePath where = SplitRegistryPath(path);
    if (where.key.empty()) return false;
    HKEY opened = nullptr;
    if (RegOpenKeyExW(RootKey(where.root), Widen(where.key).c_str(), 0, KEY_SET_VALUE, &opened) !=
        ERROR_SUCCESS)
        return false;
    RegistryKey key(opened);
    return RegDeleteValueW(key.get(), Widen(where.valueName).c_str()) == ERROR_SUCCESS;
}

} // namespace pilotune
