#include "Library.h"

#include <windows.h>

#include <algorithm>
#include <cwctype>
#include <iterator>

namespace winampsim {
namespace {

std::wstring Decode(const std::string& bytes, UINT codePage) {
    if (bytes.empty()) return {};
    int n =
        MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring out(n, L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), out.data(), n);
    return out;
}

} // namespace

std::string Encode(const std::wstring& text, unsigned codePage) {
    if (text.empty()) return {};
    int n = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                nullptr, nullptr);
    std::string out(n, '\0');
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n,
                        nullptr, nullptr);
    return out;
}

namespace {

struct Handle {
    HANDLE h;
    explicit Handle(HANDLE x) : h(x) {}
    ~Handle() {
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
};

std::optional<std::string> ReadAll(const std::wstring& file) {
    Handle f(CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (f.h == INVALID_HANDLE_VALUE) return std::nullopt;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(f.h, &size) || size.QuadPart > 64 * 1024 * 1024) return std::nullopt;
    std::string data(static_cast<size_t>(size.QuadPart), '\0');
    DWORD got = 0;
    if (!data.empty() &&
        !ReadFile(f.h, data.data(), static_cast<DWORD>(data.size()), &got, nullptr))
        return std::nullopt;
    data.resize(got);
    return data;
}

bool WriteAll(const std::wstring& file, const std::string& data) {
    Handle f(CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr));
    if (f.h == INVALID_HANDLE_VALUE) return false;
    DWORD put = 0;
    return data.empty() ||
           (WriteFile(f.h, data.data(), static_cast<DWORD>(data.size()), &put, nullptr) &&
            put == data.size());
}

bool EndsWithNoCase(const std::wstring& s, const std::wstring& tail) {
    if (s.size() < tail.size()) return false;
    return std::equal(tail.begin(), tail.end(), s.end() - tail.size(),
                      [](wchar_t a, wchar_t b) { return std::towlower(a) == std::towlower(b); });
}

bool IsAbsolute(const std::wstring& p) {
    return (p.size() >= 2 && p[1] == L':') || (p.size() >= 1 && (p[0] == L'\\' || p[0] == L'/'));
}

std::wstring NameWithoutExtension(const std::wstring& path) {
    size_t slash = path.find_last_of(L"\\/:");
    std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    size_t dot = name.rfind(L'.');
    return dot == std::wstring::npos || dot == 0 ? name : name.substr(0, dot);
}

const wchar_t* const kAudio[] = {L".mp3", L".ogg", L".flac", L".wav", L".m4a", L".wma", L".aac"};

// Invented artists and titles for the generated library.
const wchar_t* const kSamples[][2] = {
    {L"Élise Fontaine", L"Les quais de septembre"},
    {L"Marc Dubreuil", L"Route nationale"},
    {L"Les Frères Ménard", L"Rivière d'août"},
    {L"Northwind Arcade", L"Neon Harbour"},
    {L"Gaëlle Rivière", L"Café des étoiles"},
    {L"The Paper Lanterns", L"Slow Motion Summer"},
    {L"Julien Garnier", L"Une valse pour Lucie"},
    {L"Silver Tramline", L"Midnight Ferry"},
    {L"Hélène Brûlé", L"Noël à Chamonix"},
    {L"Kite & Compass", L"Open Water"},
    {L"Orchestre du Vieux Port", L"Marée haute"},
    {L"Amelia Stone", L"Glasshouse"},
    {L"François Lemaître", L"Le piéton de Lyon"},
    {L"Blue Meridian", L"Coastline"},
    {L"Zoé Marchal", L"Première neige"},
    {L"Dust Radio", L"Highway Static"},
    {L"Quatuor Lumière", L"Andante pour un été"},
    {L"Harbor Lights", L"Lighthouse Keeper"},
    {L"Noémie Caron", L"Ça ira demain"},
    {L"Velvet Orchard", L"Paper Moon Parade"},
    {L"Thibault Leroux", L"Boulevard des rêves"},
    {L"The Lowland Choir", L"Northern Field"},
    {L"Inès Delacroix", L"Fenêtre sur cour"},
    {L"Copper Skies", L"Evening Train"},
    {L"Raphaël Morin", L"L'heure bleue"},
    {L"Static Garden", L"Weather Report"},
    {L"Chloé Besson", L"Grand-mère Océane"},
    {L"Maple & Rye", L"Kitchen Radio"},
    {L"Bastien Aubry", L"Dernier métro"},
    {L"Sunday Cartographers", L"Maps of Nowhere"},
};

// Entries 2 to 4 of a library named in several scripts.
const wchar_t* const kScripts[][2] = {
    {L"Кино", L"Группа крови"},
    {L"Μίκης Θεοδωράκης", L"Ζορμπάς"},
    {L"坂本九", L"上を向いて歩こう"},
};

// 128-byte ID3v1 tag: enough for a file to look like a tagged MP3.
std::string Id3v1(const std::wstring& artist, const std::wstring& title) {
    std::string tag(128, '\0');
    tag.replace(0, 3, "TAG");
    auto put = [&](size_t at, const std::wstring& text) {
        std::string bytes = Encode(text, 1252).substr(0, 30);
        tag.replace(at, bytes.size(), bytes);
    };
    put(3, title);
    put(33, artist);
    tag[127] = static_cast<char>(255); // no genre
    return tag;
}

} // namespace

std::wstring ExePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::wstring FolderOf(const std::wstring& path) {
    size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring(L".") : path.substr(0, slash);
}

int GuessSeconds(const std::wstring& name) {
    unsigned h = 2166136261u;
    for (wchar_t c : name)
        h = (h ^ static_cast<unsigned>(c)) * 16777619u;
    return 120 + static_cast<int>(h % 241);
}

std::optional<std::vector<Track>> LoadM3u(const std::wstring& file) {
    std::optional<std::string> data = ReadAll(file);
    if (!data) return std::nullopt;
    UINT codePage = CP_ACP;
    if (data->compare(0, 3, "\xEF\xBB\xBF") == 0) {
        data->erase(0, 3);
        codePage = CP_UTF8;
    } else if (EndsWithNoCase(file, L".m3u8")) {
        codePage = CP_UTF8;
    }
    std::wstring text = Decode(*data, codePage);
    std::wstring base = FolderOf(file);
    std::vector<Track> tracks;
    Track pending;
    bool described = false;
    size_t at = 0;
    while (at <= text.size()) {
        size_t end = text.find_first_of(L"\r\n", at);
        if (end == std::wstring::npos) end = text.size();
        std::wstring line = text.substr(at, end - at);
        at = end + 1;
        if (line.empty()) continue;
        if (line[0] == L'#') {
            if (line.rfind(L"#EXTINF:", 0) == 0) {
                size_t comma = line.find(L',', 8);
                std::wstring secs =
                    line.substr(8, comma == std::wstring::npos ? std::wstring::npos : comma - 8);
                wchar_t* stop = nullptr;
                long v = std::wcstol(secs.c_str(), &stop, 10);
                pending.seconds =
                    (stop != secs.c_str() && v > 0 && v < 1000000) ? static_cast<int>(v) : -1;
                pending.title =
                    comma == std::wstring::npos ? std::wstring() : line.substr(comma + 1);
                described = true;
            }
            continue;
        }
        Track t;
        t.path = IsAbsolute(line) ? line : base + L"\\" + line;
        t.title = described && !pending.title.empty() ? pending.title : NameWithoutExtension(line);
        t.seconds = described && pending.seconds > 0 ? pending.seconds : GuessSeconds(t.title);
        tracks.push_back(std::move(t));
        described = false;
        pending = Track{};
    }
    return tracks;
}

std::optional<std::vector<Track>> LoadFolder(const std::wstring& folder) {
    WIN32_FIND_DATAW fd;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &fd);
    if (find == INVALID_HANDLE_VALUE) return std::nullopt;
    std::vector<std::wstring> names;
    do {
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        std::wstring name = fd.cFileName;
        if (std::any_of(std::begin(kAudio), std::end(kAudio),
                        [&](const wchar_t* ext) { return EndsWithNoCase(name, ext); }))
            names.push_back(name);
    } while (FindNextFileW(find, &fd));
    FindClose(find);
    std::sort(names.begin(), names.end(), [](const std::wstring& a, const std::wstring& b) {
        return _wcsicmp(a.c_str(), b.c_str()) < 0;
    });
    std::vector<Track> tracks;
    for (const std::wstring& name : names) {
        Track t;
        t.path = folder + L"\\" + name;
        t.title = NameWithoutExtension(name);
        t.seconds = GuessSeconds(t.title);
        tracks.push_back(std::move(t));
    }
    return tracks;
}

std::vector<Track> GenerateLibrary(const std::wstring& folder, int count, bool scripts) {
    CreateDirectoryW(folder.c_str(), nullptr);
    const int samples = static_cast<int>(std::size(kSamples));
    std::vector<Track> tracks;
    for (int i = 0; i < count; ++i) {
        const bool script = scripts && i >= 1 && i <= 3;
        std::wstring artist = script ? kScripts[i - 1][0] : kSamples[i % samples][0];
        std::wstring title = script ? kScripts[i - 1][1] : kSamples[i % samples][1];
        if (i >= samples) title += L" (" + std::to_wstring(i / samples + 1) + L")";
        Track t;
        t.title = artist + L" - " + title;
        t.path = folder + L"\\" + t.title + L".mp3";
        t.seconds = GuessSeconds(t.title);
        if (GetFileAttributesW(t.path.c_str()) == INVALID_FILE_ATTRIBUTES)
            WriteAll(t.path, Id3v1(artist, title));
        tracks.push_back(std::move(t));
    }
    return tracks;
}

bool WritePlaylistFile(const std::wstring& file, const std::vector<Track>& tracks,
                       unsigned codePage) {
    std::string out = "#EXTM3U\r\n";
    for (const Track& t : tracks) {
        out += "#EXTINF:" + std::to_string(t.seconds) + "," + Encode(t.title, codePage) + "\r\n";
        out += Encode(t.path, codePage) + "\r\n";
    }
    return WriteAll(file, out);
}

} // namespace winampsim
