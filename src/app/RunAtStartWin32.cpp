#include "app/RunAtStartWin32.h"

#include <windows.h>

#include <vector>

#include "app/RunAtStart.h"
#include "base/EncodingWin32.h"
#include "base/PathsWin32.h"
#include "settings/RegistryPath.h"
#include "settings/RegistryWin32.h"

namespace pilotune {

namespace {
// The value's text; nothing when there is none (or it is not text).
std::optional<std::string> ReadRunValue() {
    const RegistryValuePath where = SplitRegistryPath(kRunValuePath);
    const std::wstring key = Widen(where.key), name = Widen(where.valueName);
    DWORD size = 0;
    constexpr DWORD kText = RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND;
    if (RegGetValueW(RootKey(where.root), key.c_str(), name.c_str(), kText, nullptr, nullptr,
                     &size) != ERROR_SUCCESS)
        return std::nullopt;
    std::vector<wchar_t> text(size / sizeof(wchar_t) + 1, L'\0');
    size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (RegGetValueW(RootKey(where.root), key.c_str(), name.c_str(), kText, nullptr, text.data(),
                     &size) != ERROR_SUCCESS)
        return std::nullopt;
    return Narrow(text.data());
}
} // namespace

void RunAtStartValue::Apply(bool on) {
    const bool turnedOn = on && applied_ == false;
    applied_ = on;
    const std::string exe = ExecutablePath();
    switch (RunAtStartChange(on, turnedOn, ReadRunValue(), exe)) {
    case RunValueChange::Write:
        WriteRegistryText(kRunValuePath, RunAtStartCommand(exe));
        break;
    case RunValueChange::Delete:
        DeleteRegistryValue(kRunValuePath);
        break;
    case RunValueChange::Keep:
        break;
    }
}

} // namespace pilotune
