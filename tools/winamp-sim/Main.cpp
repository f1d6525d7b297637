// Winamp.exe, the player simulator: a stand-in for the Winamp media player in
// tests and in the demo. See README.md for its options and inspection messages.
#include "Library.h"
#include "Options.h"
#include "Player.h"
#include "SimWindow.h"

#include <windows.h>

#include <shellapi.h>

namespace {

using namespace winampsim;

std::vector<std::wstring> Arguments() {
    std::vector<std::wstring> args;
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv) return args;
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i]);
    LocalFree(argv);
    return args;
}

std::wstring FullPath(const std::wstring& path) {
    wchar_t buf[4096];
    DWORD n = GetFullPathNameW(path.c_str(), 4096, buf, nullptr);
    std::wstring full = (n == 0 || n >= 4096) ? path : std::wstring(buf, n);
    while (full.size() > 3 && (full.back() == L'\\' || full.back() == L'/'))
        full.pop_back();
    return full;
}

// The playlist from the command line; the generated library when none was
// given or it cannot be read. A readable but empty source gives an empty list.
std::vector<Track> InitialPlaylist(const Options& o) {
    if (!o.source.empty()) {
        std::wstring source = FullPath(o.source);
        DWORD attrs = GetFileAttributesW(source.c_str());
        std::optional<std::vector<Track>> loaded;
        if (attrs != INVALID_FILE_ATTRIBUTES)
            loaded = (attrs & FILE_ATTRIBUTE_DIRECTORY) ? LoadFolder(source) : LoadM3u(source);
        if (loaded) return *loaded;
    }
    std::wstring music = o.music.empty() ? FolderOf(ExePath()) + L"\\Musique" : FullPath(o.music);
    return GenerateLibrary(music, o.tracks, o.unicode);
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
    Options o = ParseOptions(Arguments());
    unsigned seed = o.seed != 0 ? o.seed : GetTickCount();
    Player player(InitialPlaylist(o), o.speed, seed);
    if (o.shuffle) player.ToggleShuffle();
    if (o.play) player.Play();

    ProfileAnswers profile(o.profile, o.unicode, o.playlistFile);
    SimWindow window(player, o.log.empty() ? std::wstring() : FullPath(o.log), profile);
    if (!window.Create(show)) return 1;
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
