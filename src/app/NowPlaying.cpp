#include "app/NowPlaying.h"

#include <vector>

#include "settings/Option.h"

namespace pilotune {

namespace {

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

// The value of a known field name, or nothing for an unknown one.
bool FieldValue(std::string_view name, const TrackFields& f, std::string& value) {
    if (name == "title")
        value = f.title;
    else if (name == "artist")
        value = f.artist;
    else if (name == "number")
        value = f.number > 0 ? std::to_string(f.number) : std::string();
    else if (name == "length")
        value = LengthText(f.length);
    else if (name == "file")
        value = f.file;
    else
        return false;
    return true;
}

struct Piece {
    std::string text;
    bool field = false;
    bool dropped = false;
};

} // namespace

void SplitPlayerTitle(std::string_view playerTitle, TrackFields& fields) {
    std::string_view s = Trimmed(playerTitle);
    std::size_t digits = 0;
    while (digits < s.size() && s[digits] >= '0' && s[digits] <= '9')
        ++digits;
    if (digits > 0 && s.substr(digits, 2) == ". ") s.remove_prefix(digits + 2);
    const std::size_t dash = s.find(" - ");
    if (dash == std::string_view::npos) {
        fields.artist.clear();
        fields.title = Trimmed(s);
    } else {
        fields.artist = Trimmed(s.substr(0, dash));
        fields.title = Trimmed(s.substr(dash + 3));
    }
}

std::string LengthText(int seconds) {
    if (seconds < 0) return {};
    const int s = seconds % 60;
    return std::to_string(seconds / 60) + (s < 10 ? ":0" : ":") + std::to_string(s);
}

std::string ExpandNowPlaying(std::string_view pattern, const TrackFields& fields) {
    if (pattern.empty()) pattern = kModeleEnCoursDefaut;
    std::vector<Piece> pieces;
    std::vector<std::size_t> fieldAt; // indexes of the field pieces
    for (std::size_t i = 0; i < pattern.size();) {
        const std::size_t open = pattern.find('{', i);
        const std::size_t close =
            open == std::string_view::npos ? open : pattern.find('}', open + 1);
        std::string value;
        const bool known = close != std::string_view::npos &&
                           FieldValue(pattern.substr(open + 1, close - open - 1), fields, value);
        const std::size_t literalEnd =
            known ? open : (open == std::string_view::npos ? pattern.size() : open + 1);
        if (literalEnd > i) {
            if (!pieces.empty() && !pieces.back().field)
                pieces.back().text += pattern.substr(i, literalEnd - i);
            else
                pieces.push_back({std::string(pattern.substr(i, literalEnd - i))});
        }
        i = literalEnd;
        if (known) {
            fieldAt.push_back(pieces.size());
            pieces.push_back({std::move(value), true});
            i = close + 1;
        }
    }
    // An empty field drops the text between it and its neighbour field.
    for (std::size_t k = 0; k < fieldAt.size(); ++k) {
        if (!pieces[fieldAt[k]].text.empty()) continue;
        std::size_t from = 0, to = 0;
        if (k + 1 < fieldAt.size()) {
            from = fieldAt[k] + 1;
            to = fieldAt[k + 1];
        } else if (k > 0) {
            from = fieldAt[k - 1] + 1;
            to = fieldAt[k];
        }
        for (std::size_t p = from; p < to; ++p)
            pieces[p].dropped = true;
    }
    std::string out;
    for (const Piece& p : pieces)
        if (!p.dropped) out += p.text;
    return out;
}

} // namespace pilotune
