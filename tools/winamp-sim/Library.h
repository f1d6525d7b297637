#pragma once
// Where the simulated playlist comes from and where it goes: .m3u files,
// folders of audio files, the generated sample library, the playlist file.
#include "Track.h"

#include <optional>
#include <string>
#include <vector>

namespace winampsim {

// Reads an .m3u (ANSI code page, or UTF-8 with a BOM or an .m3u8 name).
// "#EXTINF:<seconds>,<title>" describes the path line that follows; other "#"
// lines and blank lines are skipped; relative paths are taken from the file's
// folder. Nothing when the file cannot be read.
std::optional<std::vector<Track>> LoadM3u(const std::wstring& file);

// The audio files of a folder (not its subfolders), sorted by name. Nothing
// when the folder cannot be listed.
std::optional<std::vector<Track>> LoadFolder(const std::wstring& folder);

// Creates (or reuses) count small .mp3 files named "Artist - Title.mp3" in
// folder and returns them, lengths 2 to 6 minutes. With `scripts`, entries 2
// to 4 are named in Cyrillic, Greek and Japanese.
std::vector<Track> GenerateLibrary(const std::wstring& folder, int count, bool scripts = false);

// "#EXTM3U", then "#EXTINF:<seconds>,<title>" and the path of each entry,
// CRLF lines, in `codePage` (CP_ACP or CP_UTF8). False when the file cannot
// be written.
bool WritePlaylistFile(const std::wstring& file, const std::vector<Track>& tracks,
                       unsigned codePage);

std::string Encode(const std::wstring& text, unsigned codePage);

// A believable length (120..360 s) for a file whose length is not known,
// stable for a given name.
int GuessSeconds(const std::wstring& name);

std::wstring ExePath();
std::wstring FolderOf(const std::wstring& path); // without the trailing backslash

} // namespace winampsim
