#include "settings/SettingsStore.h"

#include <algorithm>
#include <cstdint>

#include "settings/Codecs.h"
#include "settings/SettingsValues.h"

namespace pilotune {

namespace {

const Windows1252Codec kDefaultCodec;
const DayMonthYearDateCodec kDefaultDates;
constexpr std::string_view kNoDate = "0";

bool IsAscii(std::string_view s) {
    for (const char c : s)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

// A key the file can hold: not empty, no "=" (it would end the name), and not
// read as a section header or a comment.
bool StorableKey(std::string_view cleaned) {
    return !cleaned.empty() && cleaned.find('=') == std::string_view::npos &&
           cleaned.front() != '[' && cleaned.front() != ';';
}

} // namespace

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
    files_ = env.files;
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
    return CleanLine(text);
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
        std::string_view line = TrimBlanks(text.substr(pos, end - pos));
        pos = end + 1;
        if (line.empty()) continue;
        if (line.front() == '[') {
            line.remove_prefix(1);
            if (const auto close = line.rfind(']'); close != std::string_view::npos)
                line = line.substr(0, close);
            Section s;
            s.name = CleanLine(line);
            scratch_.clear();
            AppendFolded(scratch_, s.name);
            sectionIndex_.InsertIfAbsent(scratch_, sections_.size(), SectionName());
            sections_.push_back(std::move(s));
            continue;
        }
        Section& s = sections_.back();
        // A comment, or any line that holds no setting, stays where it stands.
        const std::size_t eq = line.front() == ';' ? std::string_view::npos : line.find('=');
        const std::string_view key =
            eq == std::string_view::npos ? "" : TrimBlanks(line.substr(0, eq));
        if (key.empty()) {
            s.lines.push_back(Line{{}, line});
            continue;
        }
        scratch_.clear();
        AppendFolded(scratch_, key);
        s.keys.InsertIfAbsent(scratch_, s.lines.size(), KeyName(s));
        s.lines.push_back(Line{key, TrimBlanks(line.substr(eq + 1))});
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
    const auto found = sectionIndex_.Lookup(scratch_, SectionName());
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
    const auto found = s->keys.Lookup(scratch_, KeyName(*s));
    return found && !s->lines[*found].deleted ? &s->lines[*found].value : nullptr;
}

void SettingsStore::DeleteKey(std::string_view section, std::string_view key, bool perUser) {
    Section* s = const_cast<Section*>(FindSection(section, perUser));
    if (!s) return;
    scratch_.clear();
    AppendFolded(scratch_, key);
    const auto found = s->keys.Lookup(scratch_, KeyName(*s));
    if (!found || s->lines[*found].deleted) return;
    // Lines that repeat the key go too: the first of them would read next.
    s->encodedFresh = false;
    for (Line& line : s->lines)
        if (!line.key.empty() && FoldsTo(line.key, scratch_))
            line.deleted = line.pending = s->pending = anyPending_ = true;
}

SettingsStore::Section& SettingsStore::SectionFor(std::string_view section, bool perUser) {
    if (sections_.empty()) sections_.push_back(Section{});
    if (const Section* s = FindSection(section, perUser)) return const_cast<Section&>(*s);
    Section s;
    const std::string name = AsStored(section);
    s.name = perUser && !userName_.empty() ? userName_ + (name.empty() ? "" : " ") : std::string{};
    s.name += name;
    s.own = perUser;
    sectionIndex_.Insert(scratch_, sections_.size()); // scratch_ holds the folded name
    sections_.push_back(std::move(s));
    return sections_.back();
}

SettingsStore::Section& SettingsStore::SectionNamed(std::string_view name) {
    if (sections_.empty()) sections_.push_back(Section{});
    scratch_.clear();
    AppendFolded(scratch_, name);
    if (const auto found = sectionIndex_.Lookup(scratch_, SectionName())) return sections_[*found];
    sectionIndex_.Insert(scratch_, sections_.size());
    sections_.push_back(Section{std::string(name), {}, {}});
    return sections_.back();
}

void SettingsStore::Put(Section& s, std::string key, std::string value) {
    scratch_.clear();
    AppendFolded(scratch_, key);
    if (const auto found = s.keys.Lookup(scratch_, KeyName(s))) {
        Line& l = s.lines[*found];
        if (l.deleted) {
            l.deleted = false;
            l.pending = s.pending = anyPending_ = true;
        } else if (l.value == value) {
            return; // the file holds it already
        }
        s.encodedFresh = false;
        if (l.slot == 0) {
            l.value = Keep(std::move(value));
            l.slot = static_cast<std::uint32_t>(written_.size());
        } else {
            written_[l.slot - 1] = std::move(value);
            l.value = written_[l.slot - 1];
        }
        l.pending = s.pending = anyPending_ = true;
        return;
    }
    s.keys.Insert(scratch_, s.lines.size());
    s.encodedFresh = false;
    s.pending = anyPending_ = true;
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
    Put(SectionFor(section, perUser), std::move(name), CleanLine(value));
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

} // namespace pilotune
