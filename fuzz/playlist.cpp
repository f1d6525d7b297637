// The player's playlist file, read as the player link reads it: in chunks of
// any size. Whatever the cut, the entries are those of a plain line-by-line
// reading; every entry is found again by its file name; names that compare
// equal have equal lookup keys.
#include <fuzzer/FuzzedDataProvider.h>

#include <vector>

#include "FuzzSupport.h"
#include "player/Playlist.h"
#include "settings/Codecs.h"

using namespace pilotune;
using pilotune::fuzz::Check;

namespace {

const Windows1252Codec kCodec;

auto Decoder() {
    return [](std::string_view line, std::string& out) { out += kCodec.Decode(line); };
}

// A plain reading: lines end at CR LF, LF or CR; "#" lines are skipped.
std::vector<std::string> Plain(std::string_view bytes, std::size_t length) {
    std::vector<std::string> entries;
    std::size_t pos = 0;
    while (pos < bytes.size() && entries.size() < length) {
        std::size_t end = bytes.find_first_of("\r\n", pos);
        const bool last = end == std::string_view::npos;
        if (last) end = bytes.size();
        const std::string_view line = bytes.substr(pos, end - pos);
        if (line.empty() || line[0] != '#') entries.push_back(kCodec.Decode(line));
        if (last) break;
        pos =
            end + (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n' ? 2 : 1);
    }
    entries.resize(length);
    return entries;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const std::size_t length = in.ConsumeIntegralInRange<std::size_t>(0, 300);
    std::vector<std::size_t> cuts;
    for (int i = in.ConsumeIntegralInRange(0, 12); i > 0; --i)
        cuts.push_back(in.ConsumeIntegralInRange<std::size_t>(0, 64));
    const std::string other = in.ConsumeRandomLengthString(24);
    const std::string second = in.ConsumeRandomLengthString(24);
    if (SameFileName(other, second))
        Check(FileNameKey(other) == FileNameKey(second), "equal names have equal keys", other,
              second);
    const std::string bytes = in.ConsumeRemainingBytesAsString();

    const std::vector<std::string> expected = Plain(bytes, length);

    PlaylistCache whole;
    whole.Reset(length);
    whole.Fill(bytes, Decoder());
    Check(whole.Entries() == expected, "a whole reading gives the file's path lines");

    // The same file in chunks; the cache is reused, as from one tick to the next.
    PlaylistCache chunked;
    chunked.Reset(length / 2);
    chunked.Fill(bytes, Decoder());
    chunked.Reset(length);
    chunked.Begin();
    std::string_view rest(bytes);
    std::size_t k = 0;
    bool more = true;
    while (more && !rest.empty()) {
        const std::size_t n =
            cuts.empty() ? rest.size() : std::min(rest.size(), cuts[k++ % cuts.size()] + 1);
        more = chunked.Feed(rest.substr(0, n), Decoder());
        rest.remove_prefix(n);
    }
    chunked.Finish(Decoder());
    Check(chunked.Entries() == expected, "a reading in chunks gives the same entries");

    for (std::size_t i = 0; i < expected.size(); ++i) {
        const std::string_view name = FileNamePart(expected[i]);
        const int found = whole.Find(name);
        Check(found >= 1 && static_cast<std::size_t>(found) <= i + 1,
              "an entry is found by its own file name", expected[i]);
        Check(SameFileName(FileNamePart(whole.Entry(static_cast<std::size_t>(found) - 1)), name),
              "the entry found has that file name", expected[i]);
    }

    for (const std::string& entry : expected) {
        const std::string_view name = FileNamePart(entry);
        if (SameFileName(name, other))
            Check(FileNameKey(name) == FileNameKey(other), "equal names have equal keys", name,
                  other);
    }
    if (!expected.empty() && SameFileName(other, FileNamePart(expected[0])))
        Check(whole.Find(other) != 0, "a name equal to an entry's is found", other);
    return 0;
}
