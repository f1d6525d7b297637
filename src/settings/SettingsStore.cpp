#include "settings/SettingsStore.h"

#include <charconv>
#include <cstring>
#include <cstdint>
#include <system_error>

#include "settings/Codecs.h"
#include "settings/SettingsFiles.h"
#include "settings/SettingsValues.h"

namespace pilotune {

namespace {

const Windows1252Codec kDefaultCodec;
const DayMonthYearDateCodec kDefaultDates;
const PortableSettingsFiles kPortableFiles;
constexpr std::string_view kNoDate = "0";

bool IsAscii(std::string_view s) {
    for (const char c : s)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// Line breaks and NUL cannot stand in a line of the file: names and values
// hold a blank in their place.
inline bool IsBreak(char c) {
    return c == '\r' || c == '\n' || c == '\0';
}

// Names compare with ASCII letters and the Latin-1 capitals (UTF-8 C3 80..C3 9E,
// but not the sign x) lowered; `prev` is the byte before `c`.
inline unsigned char Fold(unsigned char prev, unsigned char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
    if (prev == 0xC3 && c >= 0x80 && c <= 0x9E && c != 0x97)
        return static_cast<unsigned char>(c + 0x20);
    return c;
}

// Appends `s` as the file would hold it (Clean below), folded.
void AppendFolded(std::string& out, std::string_view s) {
    while (!s.empty() && (IsBlank(s.front()) || IsBreak(s.front())))
        s.remove_prefix(1);
    while (!s.empty() && (IsBlank(s.back()) || IsBreak(s.back())))
        s.remove_suffix(1);
    const std::size_t start = out.size();
    out.resize(start + s.size());
    char* d = out.data() + start;
    unsigned char prev = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const auto c = static_cast<unsigned char>(IsBreak(s[i]) ? ' ' : s[i]);
        d[i] = static_cast<char>(Fold(prev, c));
        prev = c;
    }
}

// True when `name` (trimmed) folds to `folded`.
bool FoldsTo(std::string_view name, std::string_view folded) {
    if (name.size() != folded.size()) return false;
    unsigned char prev = 0;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto c = static_cast<unsigned char>(name[i]);
        if (Fold(prev, c) != static_cast<unsigned char>(folded[i])) return false;
        prev = c;
    }
    return true;
}

std::uint32_t Hash(std::string_view folded) {
    std::uint32_t h = 2166136261u; // FNV-1a
    for (const char c : folded)
        h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
    return h;
}

// A name or value as it stands on one line of the file and reads back: breaks
// made blanks, then trimmed.
std::string Clean(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (IsBreak(c)) c = ' ';
    return std::string(Trim(out));
}

// A key the file can hold: not empty, no "=" (it would end the name), and not
// read as a section header or a comment.
bool StorableKey(std::string_view cleaned) {
    return !cleaned.empty() && cleaned.find('=') == std::string_view::npos &&
           cleaned.front() != '[' && cleaned.front() != ';';
}

// The entry of `index` whose name (given by `nameOf`) folds to `folded`.
template <class NameOf>
std::optional<std::size_t> Lookup(const auto& index, std::string_view folded, NameOf nameOf) {
    if (index.slots.empty()) return std::nullopt;
    const std::uint32_t h = Hash(folded);
    const std::size_t mask = index.slots.size() - 1;
    for (std::size_t i = h & mask;; i = (i + 1) & mask) {
        const auto [hash, entry] = index.slots[i];
        if (entry == 0) return std::nullopt;
        if (hash == h && FoldsTo(nameOf(entry - 1), folded)) return entry - 1;
    }
}

// Room for one more entry: at most half the slots in use.
void Grow(auto& index) {
    if ((index.count + 1) * 2 > index.slots.size()) {
        auto old = std::move(index.slots);
        index.slots.assign(old.empty() ? 16 : old.size() * 2, {0, 0});
        const std::size_t mask = index.slots.size() - 1;
        for (const auto& slot : old) {
            if (slot.second == 0) continue;
            std::size_t i = slot.first & mask;
            while (index.slots[i].second != 0)
                i = (i + 1) & mask;
            index.slots[i] = slot;
        }
    }
}

// Adds `entry` under `folded` unless an entry of that name is there; one probe
// for both.
template <class NameOf>
void InsertIfAbsent(auto& index, std::string_view folded, std::size_t entry, NameOf nameOf) {
    Grow(index);
    const std::uint32_t h = Hash(folded);
    const std::size_t mask = index.slots.size() - 1;
    std::size_t i = h & mask;
    for (; index.slots[i].second != 0; i = (i + 1) & mask) {
        const auto [hash, other] = index.slots[i];
        if (hash == h && FoldsTo(nameOf(other - 1), folded)) return;
    }
    index.slots[i] = {h, static_cast<std::uint32_t>(entry + 1)};
    ++index.count;
}

void Insert(auto& index, std::string_view folded, std::size_t entry) {
    Grow(index);
    const std::uint32_t h = Hash(folded);
    const std::size_t mask = index.slots.size() - 1;
    std::size_t i = h & mask;
    while (index.slots[i].second != 0)
        i = (i + 1) & mask;
    index.slots[i] = {h, static_cast<std::uint32_t>(entry + 1)};
    ++index.count;
}

SaveResult Failure(const std::string& path, std::string reason) {
    return SaveResult{false, path, std::move(reason)};
}

} // namespace

auto SettingsStore::SectionName() const {
    return [this](std::size_t i) -> std::string_view { return sections_[i].name; };
}

auto SettingsStore::KeyName(const Section& s) {
    return [&s](std::size_t i) -> std::string_view { return s.lines[i].key; };
}

std::string SettingsStore::ResolvePath(std::string_view name, std::string_view exePath) {
    const std::size_t slash = exePath.find_last_of("\\/");
    const std::string_view folder =
        slash == std::string_view::npos ? std::string_view{} : exePath.substr(0, slash + 1);
    if (name.empty()) {
        std::string_view file = exePath.substr(folder.size());
        if (file.size() >= 4 && file[file.size() - 4] == '.')
            file.remove_suffix(4);
        else if (const auto dot = file.rfind('.'); dot != std::string_view::npos)
            file = file.substr(0, dot);
        return std::string(folder) + std::string(file) + ".ini";
    }
    const bool absolute =
        name.find(':') != std::string_view::npos || name.front() == '/' || name.starts_with("\\\\");
    if (absolute) return std::string(name);
    if (name.find('.') == std::string_view::npos)
        return std::string(folder) + std::string(name) + ".ini";
    return std::string(folder) + std::string(name);
}

void SettingsStore::Open(std::string_view name, const Environment& env) {
    path_ = ResolvePath(name, env.exePath);
    codec_ = env.codec ? env.codec : &kDefaultCodec;
    dates_ = env.dates ? env.dates : &kDefaultDates;
    files_ = env.files ? env.files : &kPortableFiles;
    userName_ = AsStored(env.userName);
    dayZero_ = dates_->Format(0);
    open_ = true;
    files_->RemoveStaleTemporaries(path_);
    const FileRead read = files_->Read(path_);
    unreadable_ = read.status == FileRead::kFailed;
    base_ = read.stamp;
    Reset();
    Load(read.bytes);
}

void SettingsStore::Reset() {
    lastFound_ = 0;
    anyPending_ = false;
    sections_.clear();
    sectionIndex_ = {};
    text_.reset();
    written_.clear();
}

void SettingsStore::Load(const std::string& bytes) {
    std::string text;
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        text = bytes.substr(3); // saved by us or by an editor as UTF-8
    } else if (bytes.starts_with("\xFF\xFE")) {
        text = Utf16LeToUtf8(std::string_view(bytes).substr(2));
    } else if (!IsAscii(bytes) && IsWellFormedUtf8(bytes)) {
        text = bytes; // UTF-8 from an editor that writes no mark: text in a code page seldom is
    } else {
        text = codec_->Decode(bytes);
    }
    for (std::size_t nul = text.find('\0'); nul != std::string::npos; nul = text.find('\0', nul))
        text[nul] = ' ';
    text_ = std::make_unique<const std::string>(std::move(text));
    Parse();
}

std::string SettingsStore::AsStored(std::string_view text) const {
    return Clean(text);
}

std::string_view SettingsStore::Keep(std::string text) {
    written_.push_back(std::move(text));
    return written_.back();
}

void SettingsStore::Parse() {
    const std::string_view text(*text_);
    sections_.push_back(Section{}); // keys written before any section header
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = pos;
        while (end < text.size() && text[end] != '\n' && text[end] != '\r')
            ++end;
        std::string_view line = Trim(text.substr(pos, end - pos));
        pos = end + 1;
        if (line.empty()) continue;
        if (line.front() == '[') {
            line.remove_prefix(1);
            if (const auto close = line.rfind(']'); close != std::string_view::npos)
                line = line.substr(0, close);
            Section s;
            s.name = Clean(line);
            scratch_.clear();
            AppendFolded(scratch_, s.name);
            InsertIfAbsent(sectionIndex_, scratch_, sections_.size(), SectionName());
            sections_.push_back(std::move(s));
            continue;
        }
        Section& s = sections_.back();
        // A comment, or any line that holds no setting, stays where it stands.
        const std::size_t eq = line.front() == ';' ? std::string_view::npos : line.find('=');
        const std::string_view key = eq == std::string_view::npos ? "" : Trim(line.substr(0, eq));
        if (key.empty()) {
            s.lines.push_back(Line{{}, line});
            continue;
        }
        scratch_.clear();
        AppendFolded(scratch_, key);
        InsertIfAbsent(s.keys, scratch_, s.lines.size(), KeyName(s));
        s.lines.push_back(Line{key, Trim(line.substr(eq + 1))});
    }
}

const SettingsStore::Section* SettingsStore::FindSection(std::string_view section,
                                                         bool perUser) const {
    // Loads read many keys of one section in a row.
    if (lastFound_ != 0 && lastPerUser_ == perUser && section == lastSection_)
        return &sections_[lastFound_ - 1];
    scratch_.clear();
    if (perUser && !userName_.empty()) {
        AppendFolded(scratch_, userName_);
        scratch_ += ' ';
    }
    const std::size_t mark = scratch_.size();
    AppendFolded(scratch_, section);
    if (mark > 0 && scratch_.size() == mark) scratch_.pop_back(); // "[user]", as the file reads it
    const auto found = Lookup(sectionIndex_, scratch_, SectionName());
    if (!found) return nullptr;
    const Section& s = sections_[*found];
    if (perUser) s.own = true;
    lastSection_.assign(section);
    lastPerUser_ = perUser;
    lastFound_ = *found + 1;
    return &s;
}

const std::string_view* SettingsStore::Find(std::string_view section, std::string_view key,
                                            bool perUser) const {
    const Section* s = FindSection(section, perUser);
    if (!s) return nullptr;
    scratch_.clear();
    AppendFolded(scratch_, key);
    const auto found = Lookup(s->keys, scratch_, KeyName(*s));
    return found && !s->lines[*found].deleted ? &s->lines[*found].value : nullptr;
}

void SettingsStore::DeleteKey(std::string_view section, std::string_view key, bool perUser) {
    const Section* s = FindSection(section, perUser);
    if (!s) return;
    scratch_.clear();
    AppendFolded(scratch_, key);
    const auto found = Lookup(s->keys, scratch_, KeyName(*s));
    if (!found || s->lines[*found].deleted) return;
    // Lines that repeat the key go too: the first of them would read next.
    for (Line& line : const_cast<Section*>(s)->lines)
        if (!line.key.empty() && FoldsTo(line.key, scratch_))
            line.deleted = line.pending = anyPending_ = true;
}

SettingsStore::Section& SettingsStore::SectionFor(std::string_view section, bool perUser) {
    if (sections_.empty()) sections_.push_back(Section{});
    if (const Section* s = FindSection(section, perUser)) return const_cast<Section&>(*s);
    Section s;
    const std::string name = AsStored(section);
    s.name = perUser && !userName_.empty() ? userName_ + (name.empty() ? "" : " ") : std::string{};
    s.name += name;
    s.own = perUser;
    Insert(sectionIndex_, scratch_, sections_.size()); // scratch_ holds the folded name
    sections_.push_back(std::move(s));
    return sections_.back();
}

SettingsStore::Section& SettingsStore::SectionNamed(std::string_view name) {
    if (sections_.empty()) sections_.push_back(Section{});
    scratch_.clear();
    AppendFolded(scratch_, name);
    if (const auto found = Lookup(sectionIndex_, scratch_, SectionName())) return sections_[*found];
    Insert(sectionIndex_, scratch_, sections_.size());
    sections_.push_back(Section{std::string(name), {}, {}});
    return sections_.back();
}

void SettingsStore::Put(Section& s, std::string key, std::string value) {
    scratch_.clear();
    AppendFolded(scratch_, key);
    if (const auto found = Lookup(s.keys, scratch_, KeyName(s))) {
        Line& l = s.lines[*found];
        if (l.deleted) {
            l.deleted = false;
            l.pending = anyPending_ = true;
        } else if (l.value == value) {
            return; // the file holds it already
        }
        if (l.slot == 0) {
            l.value = Keep(std::move(value));
            l.slot = static_cast<std::uint32_t>(written_.size());
        } else {
            written_[l.slot - 1] = std::move(value);
            l.value = written_[l.slot - 1];
        }
        l.pending = anyPending_ = true;
        return;
    }
    Insert(s.keys, scratch_, s.lines.size());
    anyPending_ = true;
    const std::string_view kept = Keep(std::move(key));
    s.lines.push_back(
        Line{kept, Keep(std::move(value)), static_cast<std::uint32_t>(written_.size()), true});
}

bool SettingsStore::HasKey(std::string_view section, std::string_view key, bool perUser) const {
    return Find(section, key, perUser) != nullptr;
}

std::size_t SettingsStore::IndexedKeysBound(std::string_view section, bool perUser) const {
    const Section* s = FindSection(section, perUser);
    if (!s) return 0;
    std::size_t bound = 0;
    for (const Line& line : s->lines) {
        if (line.deleted || line.key.empty()) continue;
        const std::size_t digits = line.key.size() - 1 - line.key.find_last_not_of("0123456789");
        if (digits == 0) continue;
        if (digits > 9) return SIZE_MAX; // beyond any list's cap
        std::size_t index = 0;
        for (const char c : line.key.substr(line.key.size() - digits))
            index = index * 10 + static_cast<std::size_t>(c - '0');
        bound = std::max(bound, index + 1);
    }
    return bound;
}

std::string SettingsStore::ReadText(std::string_view section, std::string_view key,
                                    std::string_view def, bool perUser) const {
    const std::string_view* v = Find(section, key, perUser);
    return std::string(v ? *v : def);
}

int SettingsStore::ReadInteger(std::string_view section, std::string_view key, int def,
                               bool perUser) const {
    const std::string_view* v = Find(section, key, perUser);
    if (!v) return def;
    return ParseInteger(*v).value_or(def);
}

bool SettingsStore::ReadBoolean(std::string_view section, std::string_view key, bool def,
                                bool perUser) const {
    const std::string_view* v = Find(section, key, perUser);
    if (!v) return def;
    const auto n = ParseInteger(*v);
    return n ? *n != 0 : def;
}

int SettingsStore::ReadDate(std::string_view section, std::string_view key, int def,
                            bool perUser) const {
    const std::string_view* v = Find(section, key, perUser);
    if (!v || !dates_) return def;
    // Day 0 in a short format ("30/12/99") or another calendar would read
    // back as some other day.
    if (*v == kNoDate || *v == dayZero_) return 0;
    return dates_->Parse(*v).value_or(def);
}

void SettingsStore::WriteText(std::string_view section, std::string_view key,
                              std::string_view value, bool perUser) {
    // A key the file could not give back (nameless, or read there as a
    // section, a comment or another key) is not written.
    std::string name = AsStored(key);
    if (!StorableKey(name)) return;
    Put(SectionFor(section, perUser), std::move(name), Clean(value));
}

void SettingsStore::WriteInteger(std::string_view section, std::string_view key, int value,
                                 bool perUser) {
    WriteText(section, key, std::to_string(value), perUser);
}

void SettingsStore::WriteBoolean(std::string_view section, std::string_view key, bool value,
                                 bool perUser) {
    WriteText(section, key, value ? "1" : "0", perUser);
}

void SettingsStore::WriteDate(std::string_view section, std::string_view key, int day,
                              bool perUser) {
    WriteText(section, key,
              day == 0 ? std::string(kNoDate) : (dates_ ? dates_ : &kDefaultDates)->Format(day),
              perUser);
}

std::string_view SettingsStore::Render() const {
    constexpr std::string_view kMark = "\xEF\xBB\xBF";
    std::size_t size = kMark.size();
    for (const Section& s : sections_) {
        size += s.name.size() + 6;
        for (const Line& l : s.lines)
            if (!l.deleted) size += l.key.size() + l.value.size() + 3;
    }
    // The text in UTF-8 after room for the mark, then encoded as a whole. The
    // buffers stay from one save to the next: no new memory to clear or fault in.
    text8_.resize(size);
    char* d = text8_.data();
    auto put = [&d](std::string_view text) {
        std::memcpy(d, text.data(), text.size());
        d += text.size();
    };
    put(kMark);
    for (std::size_t i = 0; i < sections_.size(); ++i) {
        const Section& s = sections_[i];
        if (i > 0) {
            if (i > 1) put("\r\n");
            *d++ = '[';
            put(s.name);
            put("]\r\n");
        }
        // Lines the file gave as "key=value", one after the other with CR LF
        // between them, are copied as one run.
        const char *runStart = nullptr, *runEnd = nullptr;
        auto endRun = [&] {
            if (!runStart) return;
            put({runStart, static_cast<std::size_t>(runEnd - runStart)});
            put("\r\n");
            runStart = nullptr;
        };
        for (const Line& l : s.lines) {
            if (l.deleted) continue;
            const char* begin = l.key.empty() ? l.value.data() : l.key.data();
            const char* end = l.value.data() + l.value.size();
            if (l.slot == 0 &&
                (l.key.empty() || l.value.data() == l.key.data() + l.key.size() + 1)) {
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
                put(l.key);
                *d++ = '=';
            }
            put(l.value);
            put("\r\n");
        }
        endRun();
    }
    const std::string_view marked(text8_.data(), static_cast<std::size_t>(d - text8_.data()));
    const std::string_view text = marked.substr(kMark.size());
    if (!codec_->EncodeTo(text, bytes_)) return marked;
    // Code-page bytes that begin as a byte-order mark ("ï»¿" or "ÿþ" in the
    // first line), or that happen to form UTF-8, would read back otherwise.
    if (bytes_.starts_with(kMark) || bytes_.starts_with("\xFF\xFE") ||
        (bytes_ != text && IsWellFormedUtf8(bytes_)))
        return marked;
    return bytes_;
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
            anyPending_ = anyPending_ || line.pending;
            if (!key.empty()) {
                scratch_.clear();
                AppendFolded(scratch_, key);
                line.key = Keep(std::move(key));
                InsertIfAbsent(s.keys, scratch_, s.lines.size(), KeyName(s));
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
            for (Section& s : sections_)
                for (Line& l : s.lines)
                    l.pending = false;
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
