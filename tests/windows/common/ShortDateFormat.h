#pragma once
// The user's short date format (sShortDate of HKCU\Control Panel\International)
// set for one test, and put back after it.
#include <windows.h>

namespace pilotune::testing {

struct ShortDateFormat {
    explicit ShortDateFormat(const wchar_t* pattern) {
        GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, old, 80);
        SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, pattern);
    }
    ~ShortDateFormat() { SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, old); }
    wchar_t old[80] = L"";
};

} // namespace pilotune::testing
