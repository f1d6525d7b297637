#include "Options.h"

#include <cwchar>
#include <cwctype>

namespace winampsim {
namespace {

bool Named(const std::wstring& arg, const wchar_t* name, std::wstring& value) {
    size_t n = std::wcslen(name);
    if (arg.size() < n + 1 || arg[0] != L'/') return false;
    for (size_t i = 0; i < n; ++i)
        if (std::towlower(arg[i + 1]) != name[i]) return false;
    if (arg.size() == n + 1) {
        value.clear();
        return true;
    }
    if (arg[n + 1] != L'=') return false;
    value = arg.substr(n + 2);
    return true;
}

bool ToDouble(const std::wstring& s, double& out) {
    wchar_t* end = nullptr;
    double v = std::wcstod(s.c_str(), &end);
    if (s.empty() || *end != 0 || !(v == v)) return false;
    out = v;
    return true;
}

bool ToLong(const std::wstring& s, long long& out) {
    wchar_t* end = nullptr;
    long long v = std::wcstoll(s.c_str(), &end, 10);
    if (s.empty() || *end != 0) return false;
    out = v;
    return true;
}

} // namespace

Options ParseOptions(const std::vector<std::wstring>& given) {
    std::vector<std::wstring> args;
    for (size_t i = 0; i < given.size(); ++i) {
        if (given[i].rfind(L"--", 0) != 0) {
            args.push_back(given[i]);
            continue;
        }
        std::wstring arg = L"/" + given[i].substr(2);
        static const wchar_t* const kValued[] = {L"/speed",  L"/log",  L"/music",
                                                 L"/tracks", L"/seed", L"/profile"};
        for (const wchar_t* name : kValued)
            if (arg == name && i + 1 < given.size()) arg += L"=" + given[++i];
        args.push_back(arg);
    }
    Options o;
    for (const std::wstring& arg : args) {
        std::wstring v;
        double d = 0;
        long long n = 0;
        if (Named(arg, L"speed", v)) {
            if (ToDouble(v, d) && d > 0 && d <= 10000) o.speed = d;
        } else if (Named(arg, L"log", v)) {
            o.log = v;
        } else if (Named(arg, L"music", v)) {
            o.music = v;
        } else if (Named(arg, L"play", v)) {
            o.play = true;
        } else if (Named(arg, L"shuffle", v)) {
            o.shuffle = true;
        } else if (Named(arg, L"tracks", v)) {
            if (ToLong(v, n) && n >= 1 && n <= 500) o.tracks = static_cast<int>(n);
        } else if (Named(arg, L"seed", v)) {
            if (ToLong(v, n) && n > 0 && n <= 0xFFFFFFFFLL) o.seed = static_cast<unsigned>(n);
        } else if (Named(arg, L"profile", v)) {
            ProfileNamed(v, o.profile);
        } else if (Named(arg, L"unicode", v)) {
            o.unicode = true;
        } else if (Named(arg, L"no-playlist-file", v)) {
            o.playlistFile = false;
        } else if (!arg.empty() && arg[0] != L'/') {
            o.source = arg;
        }
    }
    return o;
}

} // namespace winampsim
