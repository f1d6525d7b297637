#pragma once
// Reading the player's playlist file: every line that does not start with "#"
// is the path of the next entry.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pilotune {

// "C:\Program Files\Winamp\Winamp.exe" -> "C:\Program Files\Winamp\Winamp.m3u".
std::string PlaylistPathFor(const std::string& programPath);

// The file name of a path: what follows the last "\" or ":".
std::string_view FileNamePart(std::string_view path);

// ASCII case-insensitive equality, and lower-casing of Latin-1 letters written
// in UTF-8, so that "Été.MP3" matches "été.mp3".
bool SameFileName(std::string_view a, std::string_view b);

// The position of the first CR or LF of `text` from `from` on, or npos.
std::size_t FindLineBreak(std::string_view text, std::size_t from);

// A hash of a file name that ignores case as SameFileName does: equal names
// have equal keys, so a lookup compares keys first.
std::uint32_t FileNameKey(std::string_view name);

// The playlist cache: one path per entry, in playlist order, all held in one
// buffer so that a reading of a long playlist costs no allocation per entry.
class PlaylistCache {
  public:
    // `length` entries, all empty.
    void Reset(std::size_t length);
    std::size_t Size() const { return spans_.size(); }
    std::string_view Entry(std::size_t index) const;
    std::vector<std::string> Entries() const;

    // Stores the path lines of the file in order (every line that does not
    // start with "#", the empty one included) until every entry is filled.
    // Lines end at CR LF, LF or a lone CR. The file comes in chunks of any size:
    // Begin, then Feed each chunk while it answers true, then Finish.
    // `decodeInto(line, out)` appends the line's UTF-8 text to `out`.
    void Begin();
    template <class DecodeInto> bool Feed(std::string_view chunk, DecodeInto&& decodeInto);
    template <class DecodeInto> void Finish(DecodeInto&& decodeInto);
    // The whole file at once.
    template <class DecodeInto> void Fill(std::string_view bytes, DecodeInto&& decodeInto) {
        Begin();
        Feed(bytes, decodeInto);
        Finish(decodeInto);
    }

    // 1-based number of the first entry whose file name is `name` without
    // regard to case; 0 when none is.
    int Find(std::string_view name) const;

  private:
    struct Span {
        std::size_t offset = 0;
        std::uint32_t size = 0;
        std::uint32_t key = 0; // FileNameKey of the entry's file name
    };
    template <class DecodeInto> void Line(std::string_view line, DecodeInto& decodeInto);
    void Store(std::size_t index, std::size_t offset);

    std::string text_;
    std::vector<Span> spans_;
    std::size_t filled_ = 0;
    std::string carry_; // a line cut by the end of a chunk
    bool partial_ = false;
    bool skipLf_ = false; // the last chunk ended with CR: a LF next ends the same line
};

template <class DecodeInto>
void PlaylistCache::Line(std::string_view line, DecodeInto& decodeInto) {
    if (!line.empty() && line[0] == '#') return;
    const std::size_t offset = text_.size();
    decodeInto(line, text_);
    Store(filled_++, offset);
}

template <class DecodeInto>
bool PlaylistCache::Feed(std::string_view chunk, DecodeInto&& decodeInto) {
    std::size_t pos = 0;
    if (skipLf_ && !chunk.empty()) {
        if (chunk[0] == '\n') pos = 1;
        skipLf_ = false;
    }
    const std::size_t n = chunk.size();
    while (pos < n && filled_ < spans_.size()) {
        std::size_t end = FindLineBreak(chunk, pos);
        if (end == std::string_view::npos) {
            carry_.append(chunk.substr(pos));
            partial_ = true;
            return true;
        }
        if (partial_) {
            carry_.append(chunk.substr(pos, end - pos));
            Line(carry_, decodeInto);
            carry_.clear();
            partial_ = false;
        } else {
            Line(chunk.substr(pos, end - pos), decodeInto);
        }
        if (chunk[end] == '\r') {
            if (end + 1 < n) {
                if (chunk[end + 1] == '\n') ++end;
            } else {
                skipLf_ = true;
            }
        }
        pos = end + 1;
    }
    return filled_ < spans_.size();
}

template <class DecodeInto> void PlaylistCache::Finish(DecodeInto&& decodeInto) {
    if (partial_ && filled_ < spans_.size()) Line(carry_, decodeInto);
    carry_.clear();
    partial_ = false;
    skipLf_ = false;
}

} // namespace pilotune
