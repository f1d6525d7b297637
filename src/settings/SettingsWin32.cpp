#include "settings/SettingsWin32.h"

#include "base/PathsWin32.h"
#include "base/UserNameWin32.h"

#include <windows.h>

#include <vector>

#include "settings/Codecs.h"
#include "base/EncodingWin32.h"
#include "base/Messages.h"
#include "settings/SettingsFilesWin32.h"

namespace pilotune {

// The Western code page, the most common, without a trip through UTF-16.
const Windows1252Codec kWestern;

std::string AnsiCodePageCodec::Decode(std::string_view bytes) const {
    return GetACP() == 1252 ? kWestern.Decode(bytes) : AnsiToUtf8(bytes);
}
std::string AnsiCodePageCodec::Encode(std::string_view utf8) const {
    return Utf8ToAnsi(utf8);
}

bool AnsiCodePageCodec::EncodeTo(std::string_view text, std::string& out) const {
    if (GetACP() == 1252) return kWestern.EncodeTo(text, out);
    out.clear();
    if (!IsWellFormedUtf8(text)) return false;
    if (GetACP() == CP_UTF8) {
        out = text;
        return true;
    }
    const std::wstring wide = Widen(text);
    if (wide.empty()) return text.empty();
    const int size = static_cast<int>(wide.size());
    BOOL lost = FALSE;
    const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), size, nullptr, 0,
                                      nullptr, &lost);
    if (n <= 0 || lost) return false;
    out.resize(static_cast<std::size_t>(n));
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), size, out.data(), n, nullptr,
                        &lost);
    return !lost;
}

std::string LocaleDateCodec::Format(int day) const {
    const CivilDate d = CivilFromDay(day);
    if (IsValidCivil(d) && d.year >= 1601) {
        SYSTEMTIME st{};
        st.wYear = static_cast<WORD>(d.year);
        st.wMonth = static_cast<WORD>(d.month);
        st.wDay = static_cast<WORD>(d.day);
        wchar_t buf[128];
        const int n = GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, buf, 128);
        if (n > 1) return Narrow(std::wstring_view(buf, static_cast<size_t>(n - 1)));
    }
    return DayMonthYearDateCodec{}.Format(day);
}

std::optional<int> LocaleDateCodec::Parse(std::string_view text) const {
    // The order of the fields in the user's short date pattern ("dd/MM/yyyy").
    wchar_t pattern[80] = L"";
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, pattern, 80);
    std::wstring order;
    bool quoted = false;
    for (const wchar_t* p = pattern; *p; ++p) {
        if (*p == L'\'') quoted = !quoted;
        if (quoted) continue;
        const wchar_t f = *p == L'd' ? L'd' : *p == L'M' ? L'M' : *p == L'y' ? L'y' : 0;
        if (f && order.find(f) == std::wstring::npos) order += f;
    }
    if (order.size() != 3) order = L"dMy";

    // Three groups of digits, separated by anything but digits.
    int values[3] = {0, 0, 0}, digits[3] = {0, 0, 0};
    int group = -1;
    bool inDigits = false;
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            if (!inDigits && ++group >= 3) return std::nullopt;
            inDigits = true;
            if (++digits[group] > 4) return std::nullopt;
            values[group] = values[group] * 10 + (c - '0');
        } else {
            inDigits = false;
        }
    }
    if (group != 2) return std::nullopt;
    CivilDate d;
    for (int i = 0; i < 3; ++i) {
        if (order[i] == L'd') d.day = values[i];
        if (order[i] == L'M') d.month = values[i];
        if (order[i] == L'y') {
            d.year = values[i];
            if (digits[i] <= 2) d.year += d.year < 50 ? 2000 : 1900; // as Windows' 2049 window
        }
    }
    if (!IsValidCivil(d)) return std::nullopt;
    return DayFromCivil(d);
}

SettingsStore::Environment ProgramEnvironment() {
    static const AnsiCodePageCodec codec;
    static const LocaleDateCodec dates;
    static const Win32SettingsFiles files;
    return {ExecutablePath(), UserName(), &codec, &dates, &files};
}

void OpenProgramSettings(SettingsStore& store) {
    store.Open("", ProgramEnvironment());
}

std::string SaveFailureMessage(const SaveResult& result) {
    return "Les paramètres n'ont pas pu être enregistrés dans le fichier « " + result.path +
           " » : " + result.reason;
}

bool FlushOrWarn(SettingsStore& store) {
    const SaveResult result = store.Flush();
    if (!result.ok) Messages().Error(SaveFailureMessage(result));
    return result.ok;
}

} // namespace pilotune
