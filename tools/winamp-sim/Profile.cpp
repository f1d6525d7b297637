#include "Profile.h"

#include "Library.h"

#include <cwctype>

namespace winampsim {

namespace {
std::wstring Environment(const wchar_t* name) {
    wchar_t value[4096];
    const DWORD n = GetEnvironmentVariableW(name, value, 4096);
    return n > 0 && n < 4096 ? std::wstring(value, n) : std::wstring();
}

// foobar2000 writes into the folder named by the default value of
// HKCU\Software\Winamp, read when it writes.
std::wstring RegisteredFolder() {
    wchar_t value[4096];
    DWORD size = sizeof value;
    // RRF_RT_REG_SZ takes a REG_EXPAND_SZ value too, expanded.
    if (RegGetValueW(HKEY_CURRENT_USER, L"Software\\Winamp", nullptr, RRF_RT_REG_SZ, nullptr, value,
                     &size) != ERROR_SUCCESS)
        return {};
    return value;
}

template <class Text> LRESULT Fresh(std::deque<Text>& ring, const Text& text) {
    ring.push_back(text); // a new allocation: another address than the last answer's
    if (ring.size() > 4) ring.pop_front();
    return reinterpret_cast<LRESULT>(ring.back().c_str());
}
} // namespace

bool ProfileNamed(const std::wstring& name, Profile& out) {
    std::wstring lower;
    for (wchar_t c : name)
        lower += static_cast<wchar_t>(std::towlower(c));
    if (lower == L"winamp2")
        out = Profile::Winamp2;
    else if (lower == L"winamp5")
        out = Profile::Winamp5;
    else if (lower == L"wacup")
        out = Profile::Wacup;
    else if (lower == L"foobar2000")
        out = Profile::Foobar2000;
    else
        return false;
    return true;
}

ProfileAnswers::ProfileAnswers(Profile profile, bool unicode, bool playlistFile)
    : profile_(profile), unicode_(unicode), playlistFile_(playlistFile) {
    if (profile_ == Profile::Winamp5 || profile_ == Profile::Wacup) {
        const std::wstring appData = Environment(L"APPDATA");
        if (!appData.empty()) {
            folder_ = appData + (profile_ == Profile::Wacup ? L"\\WACUP" : L"\\Winamp");
            CreateDirectoryW(folder_.c_str(), nullptr);
        }
        wideAnswer_ = folder_;
        ansiAnswer_ = Encode(folder_, CP_ACP);
    }
}

void ProfileAnswers::WritePlaylist(const std::vector<Track>& tracks) {
    switch (profile_) {
    case Profile::Winamp2: {
        const std::wstring exe = ExePath();
        WritePlaylistFile(exe.substr(0, exe.size() - 3) + L"m3u", tracks, CP_ACP);
        break;
    }
    case Profile::Winamp5:
    case Profile::Wacup:
        if (folder_.empty()) break;
        WritePlaylistFile(folder_ + L"\\winamp.m3u", tracks, CP_ACP);
        if (unicode_) WritePlaylistFile(folder_ + L"\\winamp.m3u8", tracks, CP_UTF8);
        break;
    case Profile::Foobar2000: {
        const std::wstring folder = RegisteredFolder();
        if (playlistFile_ && !folder.empty())
            WritePlaylistFile(folder + L"\\winamp.m3u", tracks, CP_UTF8);
        break;
    }
    }
}

LRESULT ProfileAnswers::FolderAddress(bool wide) {
    if (profile_ == Profile::Winamp2 || profile_ == Profile::Foobar2000 || folder_.empty())
        return 0;
    if (profile_ == Profile::Wacup)
        return wide ? Fresh(wacupWide_, wideAnswer_) : Fresh(wacupAnsi_, ansiAnswer_);
    return wide ? reinterpret_cast<LRESULT>(wideAnswer_.c_str())
                : reinterpret_cast<LRESULT>(ansiAnswer_.c_str());
}

} // namespace winampsim
