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

bool AnsiCodePageCodec::EncodesInPlace() const {
    return GetACP() == 1252;
}
char* AnsiCodePageCodec::EncodeInto(std::string_view utf8, char* out) const {
    return GetACP() == 1252 ? kWestern.EncodeInto(utf8, out) : nullptr;
}

std::string LocaleDateCodec::Pattern() const {
    wchar_t pattern[80] = L"";
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, pattern, 80);
    return Narrow(pattern);
}

std::optional<std::string> LocaleDateCodec::Write(int day) const {
    const CivilDate d = CivilFromDay(day);
    if (!IsValidCivil(d) || d.year < 1601) return std::nullopt;
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(d.year);
    st.wMonth = static_cast<WORD>(d.month);
    st.wDay = static_cast<WORD>(d.day);
    wchar_t buf[128];
    const int n = GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, buf, 128);
    if (n <= 1) return std::nullopt;
    return Narrow(std::wstring_view(buf, static_cast<size_t>(n - 1)));
}

bool LocaleDateCodec::Gregorian() const {
    DWORD calendar = CAL_GREGORIAN;
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_ICALENDARTYPE | LOCALE_RETURN_NUMBER,
                   reinterpret_cast<LPWSTR>(&calendar), sizeof calendar / sizeof(wchar_t));
    // The localised Gregorian calendars count the years the same way.
    switch (calendar) {
    case CAL_GREGORIAN:
    case CAL_GREGORIAN_US:
    case CAL_GREGORIAN_ME_FRENCH:
    case CAL_GREGORIAN_ARABIC:
    case CAL_GREGORIAN_XLIT_ENGLISH:
    case CAL_GREGORIAN_XLIT_FRENCH:
        return true;
    default:
        return false;
    }
}

int LocaleDateCodec::Today() const {
    SYSTEMTIME t{};
    GetLocalTime(&t);
    return DayFromCivil({t.wYear, t.wMonth, t.wDay});
}

std::string LocaleDateCodec::Format(int day) const {
    return FormatShortDate(*this, day);
}

std::optional<int> LocaleDateCodec::Parse(std::string_view text) const {
    return ParseShortDate(*this, text);
}

const SettingsFiles& ProgramFiles() {
    static const Win32SettingsFiles files;
    return files;
}

SettingsStore::Environment ProgramEnvironment() {
    static const AnsiCodePageCodec codec;
    static const LocaleDateCodec dates;
    return {ExecutablePath(), UserName(), &codec, &dates, &ProgramFiles()};
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
