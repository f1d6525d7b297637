// Saving the settings file: the memory copy rendered as the file's bytes, the
// file on disk merged in when another session saved it meanwhile, then the
// file replaced.
#include <cstring>

#include "settings/Codecs.h"
#include "settings/SettingsFiles.h"
#include "settings/SettingsStore.h"

namespace pilotune {

namespace {

constexpr std::string_view kMark = "\xEF\xBB\xBF";

SaveResult Failure(const std::string& path, std::string reason) {
    return SaveResult{false, path, std::move(reason)};
}

} // namespace

namespace {

// Room for a section's text: its header and its lines in UTF-8, at most.
template <class Section> std::size_t Bound(const Section& s) {
    std::size_t size = s.name.size() + 4;
    for (const auto& l : s.lines)
        if (!l.deleted) size += l.key.size() + l.value.size() + 3;
    return size;
}

// Gives `put` a section's text piece by piece: its header (`header`), then its
// lines. The second argument of `put` tells the brackets, "=" and line ends,
// which are ASCII.
template <class Section, class Put> void WriteSection(const Section& s, bool header, Put&& put) {
    if (header) {
        put("[", true);
        put(s.name, false);
        put("]\r\n", true);
    }
    // Lines the file gave as "key=value", one after the other with CR LF
    // between them, go as one run.
    const char *runStart = nullptr, *runEnd = nullptr;
    auto endRun = [&] {
        if (!runStart) return;
        put({runStart, static_cast<std::size_t>(runEnd - runStart)}, false);
        put("\r\n", true);
        runStart = nullptr;
    };
    for (const auto& l : s.lines) {
        if (l.deleted) continue;
        const char* begin = l.key.empty() ? l.value.data() : l.key.data();
        const char* end = l.value.data() + l.value.size();
        if (l.slot == 0 && (l.key.empty() || l.value.data() == l.key.data() + l.key.size() + 1)) {
            if (runStart && begin == runEnd + 2 && runEnd[0] == '\r' && runEnd[1] == '\n') {
                runEnd = end;
                continue;
            }
            endRun();
            runStart = begin;
            runEnd = end;
            continue;
        }
        endRun();
        if (!l.key.empty()) {
            put(l.key, false);
            put("=", true);
        }
        put(l.value, false);
        put("\r\n", true);
    }
    endRun();
}

} // namespace

void SettingsStore::RenderSection(std::size_t i, std::string& out) const {
    const Section& s = sections_[i];
    const std::size_t start = out.size();
    out.resize(start + Bound(s));
    char* d = out.data() + start;
    WriteSection(s, i > 0, [&d](std::string_view text, bool) {
        std::memcpy(d, text.data(), text.size());
        d += text.size();
    });
    out.resize(static_cast<std::size_t>(d - out.data()));
}

bool SettingsStore::EncodeSection(std::size_t i, std::string& out) const {
    const Section& s = sections_[i];
    out.resize(Bound(s) + 8);
    char* d = out.data();
    std::size_t text = 0;
    WriteSection(s, i > 0, [&](std::string_view piece, bool ascii) {
        if (!d) return;
        text += piece.size();
        if (!ascii) {
            d = codec_->EncodeInto(piece, d);
            return;
        }
        std::memcpy(d, piece.data(), piece.size());
        d += piece.size();
    });
    if (!d) return false;
    out.resize(static_cast<std::size_t>(d - out.data()));
    // One byte per character: as many bytes as the text only when they are its own.
    s.encodedAsText = out.size() == text;
    return true;
}

std::string_view SettingsStore::Render() const {
    // In the code page: each section as the last save encoded it unless it
    // changed since, sections apart by a blank line.
    std::size_t size = 0;
    bool encodable = true, asText = true; // asText: the bytes are the UTF-8 text itself
    for (std::size_t i = 0; i < sections_.size() && encodable; ++i) {
        const Section& s = sections_[i];
        if (!s.encodedFresh && codec_->EncodesInPlace()) {
            s.encodedFresh = encodable = EncodeSection(i, s.encoded);
        } else if (!s.encodedFresh) {
            text8_.clear();
            RenderSection(i, text8_);
            s.encodedFresh = encodable = codec_->EncodeTo(text8_, s.encoded);
            s.encodedAsText = s.encoded == text8_;
        }
        asText = asText && s.encodedAsText;
        size += s.encoded.size() + 2;
    }
    if (encodable) {
        bytes_.resize(size);
        char* d = bytes_.data();
        for (std::size_t i = 0; i < sections_.size(); ++i) {
            if (i > 1) {
                std::memcpy(d, "\r\n", 2);
                d += 2;
            }
            const std::string& e = sections_[i].encoded;
            std::memcpy(d, e.data(), e.size());
            d += e.size();
        }
        bytes_.resize(static_cast<std::size_t>(d - bytes_.data()));
        // Code-page bytes that begin as a byte-order mark ("ï»¿" or "ÿþ" in the
        // first line), or that happen to form UTF-8, would read back otherwise.
        if (!bytes_.starts_with(kMark) && !bytes_.starts_with("\xFF\xFE") &&
            (asText || !IsWellFormedUtf8(bytes_)))
            return bytes_;
    }
    // The text in UTF-8 after a byte-order mark.
    text8_.assign(kMark);
    for (std::size_t i = 0; i < sections_.size(); ++i) {
        if (i > 1) text8_ += "\r\n";
        RenderSection(i, text8_);
    }
    return text8_;
}

void SettingsStore::MergeDisk(const FileRead& disk) {
    // What this session brings: its own sections whole, and the keys it wrote
    // in the others.
    struct Carried {
        std::string section;
        bool own = false;
        std::vector<std::pair<std::string, std::string>> lines; // key (empty: comment), value
        std::vector<bool> pending;
    };
    std::vector<Carried> carried;
    for (std::size_t i = 1; i < sections_.size(); ++i) {
        const Section& s = sections_[i];
        Carried c{s.name, s.own, {}, {}};
        for (const Line& l : s.lines) {
            if (l.deleted || (!s.own && !l.pending)) continue;
            c.lines.emplace_back(std::string(l.key), std::string(l.value));
            c.pending.push_back(l.pending);
        }
        if (c.own || !c.lines.empty()) carried.push_back(std::move(c));
    }

    Reset();
    Load(disk.bytes);
    base_ = disk.stamp;
    for (Carried& c : carried) {
        Section& s = SectionNamed(c.section);
        if (!c.own) {
            for (auto& [key, value] : c.lines)
                Put(s, std::move(key), std::move(value));
            continue;
        }
        // Ours: as this session holds it, line for line.
        s.lines.clear();
        s.keys = {};
        s.own = true;
        for (std::size_t k = 0; k < c.lines.size(); ++k) {
            auto& [key, value] = c.lines[k];
            Line line{{}, Keep(std::move(value))};
            line.slot = static_cast<std::uint32_t>(written_.size());
            line.pending = c.pending[k];
            s.pending = s.pending || line.pending;
            anyPending_ = anyPending_ || line.pending;
            if (!key.empty()) {
                scratch_.clear();
                AppendFolded(scratch_, key);
                line.key = Keep(std::move(key));
                s.keys.InsertIfAbsent(scratch_, s.lines.size(), KeyName(s));
            }
            s.lines.push_back(line);
        }
    }
}

SaveResult SettingsStore::Flush() {
    if (!open_) return Failure(path_, "aucun fichier de paramètres n'est ouvert.");
    if (unreadable_)
        return Failure(path_, "le fichier existant n'a pas pu être lu ; il n'est pas remplacé "
                              "pour ne pas perdre son contenu.");
    // Another session may have saved the file since we read it: what it wrote
    // there is kept. Saves of the program wait for each other; a program that
    // does not (an editor) and saves between our read and our replace sends
    // us back to read it again (the last try replaces whatever is there).
    const std::unique_ptr<FileLock> lock = files_->Lock(path_);
    constexpr int kTries = 3;
    for (int attempt = 1;; ++attempt) {
        if (files_->Stamp(path_) != base_) {
            const FileRead disk = files_->Read(path_);
            if (disk.status == FileRead::kFailed) return Failure(path_, std::string(kReasonReread));
            MergeDisk(disk);
        }
        FileReplace r = files_->Replace(path_, Render(), attempt < kTries ? &base_ : nullptr);
        if (r.conflict) continue;
        if (!r.ok) return r;
        base_ = r.written;
        if (anyPending_)
            for (Section& s : sections_) {
                if (!s.pending) continue;
                for (Line& l : s.lines)
                    l.pending = false;
                s.pending = false;
            }
        anyPending_ = false;
        return SaveResult{true, path_, {}};
    }
}

SaveResult SettingsStore::Close() {
    SaveResult result = Flush();
    open_ = false;
    Reset();
    return result;
}

} // namespace pilotune
