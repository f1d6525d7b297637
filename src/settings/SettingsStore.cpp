#include "settings/SettingsStore.h"

#include <charconv>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "settings/Codecs.h"
#include "settings/SettingsValues.h"

namespace fs = std::filesystem;

namespace pilotune {

namespace {

const Windows1252Codec kDefaultCodec;
const DayMonthYearDateCodec kDefaultDates;

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

// Appends `s`, trimmed, in the form used to compare names: ASCII letters and
// the Latin-1 capitals (UTF-8 C3 80..C3 9E, but not the sign x) lowered.
void AppendFolded(std::string& out, std::string_view s) {
    s = Trim(s);
    for (std::size_t i = 0; i < s.size(); ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c >= 'A' && c <= 'Z') {
            out += static_cast<char>(c + 32);
        } else if (c == 0xC3 && i + 1 < s.size()) {
            const auto n = static_cast<unsigned char>(s[i + 1]);
            out += static_cast<char>(c);
            out += static_cast<char>(n >= 0x80 && n <= 0x9E && n != 0x97 ? n + 0x20 : n);
            ++i;
        } else {
            out += static_cast<char>(c);
        }
    }
}

// A name or value as it can stand on one line of the file.
std::string OneLine(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c == '\r' || c == '\n' || c == '\0') c = ' ';
    return out;
}

fs::path U8Path(const std::string& utf8) {
    return fs::path(std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

SaveResult Failure(const std::string& path, std::string reason) {
    return SaveResult{false, path, std::move(reason)};
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
    userName_ = OneLine(Trim(env.userName));
    codec_ = env.codec ? env.codec : &kDefaultCodec;
    dates_ = env.dates ? env.dates : &kDefaultDates;
    sections_.clear();
    sectionIndex_.clear();
    unreadable_ = false;
    open_ = true;

    const fs::path path = U8Path(path_);
    std::error_code ec;
    const bool exists = fs::exists(path, ec);
    std::string bytes;
    if (exists && !fs::is_directory(path, ec)) {
        std::ifstream in(path, std::ios::binary);
        if (!in) {
            unreadable_ = true;
        } else {
            // Read by blocks: the size a stream reports is not to be trusted
            // for every kind of file.
            char block[1 << 16];
            while (in.read(block, sizeof block) || in.gcount() > 0)
                bytes.append(block, static_cast<std::size_t>(in.gcount()));
            unreadable_ = in.bad();
        }
    }
    std::string text;
    if (bytes.starts_with("\xEF\xBB\xBF"))
        text = bytes.substr(3); // saved as UTF-8 by an editor
    else if (bytes.starts_with("\xFF\xFE"))
        text = Utf16LeToUtf8(std::string_view(bytes).substr(2));
    else
        text = codec_->Decode(bytes);
    Parse(text);
}

void SettingsStore::Parse(std::string_view text) {
    sections_.push_back(Section{}); // keys written before any section header
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = Trim(text.substr(pos, end - pos));
        pos = end + 1;
        if (line.empty()) continue;
        if (line.front() == '[') {
            line.remove_prefix(1);
            if (const auto close = line.rfind(']'); close != std::string_view::npos)
                line = line.substr(0, close);
            Section s;
            s.name = OneLine(Trim(line));
            scratch_.clear();
            AppendFolded(scratch_, s.name);
            sectionIndex_.emplace(scratch_, sections_.size());
            sections_.push_back(std::move(s));
            continue;
        }
        Section& s = sections_.back();
        if (line.front() == ';') {
            s.lines.push_back(Line{{}, OneLine(line)});
            continue;
        }
        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos) continue; // not a setting: dropped
        const std::string_view key = Trim(line.substr(0, eq));
        if (key.empty()) continue;
        scratch_.clear();
        AppendFolded(scratch_, key);
        s.keys.emplace(scratch_, s.lines.size());
        s.lines.push_back(Line{OneLine(key), OneLine(Trim(line.substr(eq + 1)))});
    }
}

const SettingsStore::Section* SettingsStore::FindSection(std::string_view section,
                                                         bool perUser) const {
    scratch_.clear();
    if (perUser && !userName_.empty()) {
        AppendFolded(scratch_, userName_);
        scratch_ += ' ';
    }
    AppendFolded(scratch_, section);
    const auto it = sectionIndex_.find(scratch_);
    return it == sectionIndex_.end() ? nullptr : &sections_[it->second];
}

const std::string* SettingsStore::Find(std::string_view section, std::string_view key,
                                       bool perUser) const {
    const Section* s = FindSection(section, perUser);
    if (!s) return nullptr;
    scratch_.clear();
    AppendFolded(scratch_, key);
    const auto it = s->keys.find(scratch_);
    return it == s->keys.end() ? nullptr : &s->lines[it->second].value;
}

SettingsStore::Section& SettingsStore::SectionFor(std::string_view section, bool perUser) {
    if (sections_.empty()) sections_.push_back(Section{});
    if (const Section* s = FindSection(section, perUser)) return const_cast<Section&>(*s);
    Section s;
    s.name = perUser && !userName_.empty() ? userName_ + " " : std::string{};
    s.name += OneLine(Trim(section));
    sectionIndex_.emplace(scratch_, sections_.size()); // scratch_ holds the folded name
    sections_.push_back(std::move(s));
    return sections_.back();
}

bool SettingsStore::HasKey(std::string_view section, std::string_view key, bool perUser) const {
    return Find(section, key, perUser) != nullptr;
}

std::string SettingsStore::ReadText(std::string_view section, std::string_view key,
                                    std::string_view def, bool perUser) const {
    const std::string* v = Find(section, key, perUser);
    return v ? *v : std::string(def);
}

int SettingsStore::ReadInteger(std::string_view section, std::string_view key, int def,
                               bool perUser) const {
    const std::string* v = Find(section, key, perUser);
    if (!v) return def;
    return ParseInteger(*v).value_or(def);
}

bool SettingsStore::ReadBoolean(std::string_view section, std::string_view key, bool def,
                                bool perUser) const {
    const std::string* v = Find(section, key, perUser);
    if (!v) return def;
    const auto n = ParseInteger(*v);
    return n ? *n != 0 : def;
}

int SettingsStore::ReadDate(std::string_view section, std::string_view key, int def,
                            bool perUser) const {
    const std::string* v = Find(section, key, perUser);
    if (!v || !dates_) return def;
    return dates_->Parse(*v).value_or(def);
}

void SettingsStore::WriteText(std::string_view section, std::string_view key,
                              std::string_view value, bool perUser) {
    Section& s = SectionFor(section, perUser);
    scratch_.clear();
    AppendFolded(scratch_, key);
    if (scratch_.empty()) return; // a nameless key could not be read back
    if (const auto it = s.keys.find(scratch_); it != s.keys.end()) {
        s.lines[it->second].value = OneLine(Trim(value));
        return;
    }
    s.keys.emplace(scratch_, s.lines.size());
    s.lines.push_back(Line{OneLine(Trim(key)), OneLine(Trim(value))});
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
    WriteText(section, key, (dates_ ? dates_ : &kDefaultDates)->Format(day), perUser);
}

std::string SettingsStore::Render() const {
    std::size_t size = 0;
    for (const Section& s : sections_) {
        size += s.name.size() + 6;
        for (const Line& l : s.lines)
            size += l.key.size() + l.value.size() + 3;
    }
    std::string out;
    out.reserve(size);
    for (std::size_t i = 0; i < sections_.size(); ++i) {
        const Section& s = sections_[i];
        if (i > 0) {
            if (i > 1) out += "\r\n";
            out += '[';
            out += s.name;
            out += "]\r\n";
        }
        for (const Line& l : s.lines) {
            if (!l.key.empty()) {
                out += l.key;
                out += '=';
            }
            out += l.value;
            out += "\r\n";
        }
    }
    return out;
}

SaveResult SettingsStore::Flush() {
    if (!open_) return Failure(path_, "aucun fichier de paramètres n'est ouvert.");
    if (unreadable_)
        return Failure(path_, "le fichier existant n'a pas pu être lu ; il n'est pas remplacé "
                              "pour ne pas perdre son contenu.");
    const fs::path path = U8Path(path_);
    const fs::path temp = U8Path(path_ + ".tmp");
    std::error_code ec;
    const auto status = fs::status(path, ec);
    if (fs::is_directory(status)) return Failure(path_, "ce chemin est celui d'un dossier.");
    if (fs::exists(status) && (status.permissions() & fs::perms::owner_write) == fs::perms::none)
        return Failure(path_, "le fichier est en lecture seule.");

    const std::string bytes = codec_->Encode(Render());
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out)
            return Failure(path_, "impossible de créer un fichier dans son dossier (dossier "
                                  "absent ou protégé en écriture).");
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            fs::remove(temp, ec);
            return Failure(path_, "l'écriture a échoué (disque plein ?).");
        }
    }
    fs::rename(temp, path, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        return Failure(path_, "impossible de remplacer l'ancien fichier (fichier protégé ou "
                              "utilisé par un autre programme).");
    }
    return SaveResult{true, path_, {}};
}

SaveResult SettingsStore::Close() {
    SaveResult result = Flush();
    open_ = false;
    sections_.clear();
    sectionIndex_.clear();
    return result;
}

} // namespace pilotune
