#pragma once
// The settings file: one INI file beside the executable, held in memory from
// Open to Close and written back as a whole by Flush. Sections are private to
// each Windows user ("<user> <section>") when the per-user flag is set.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <cstdint>
#include <deque>
#include <utility>
#include <vector>

namespace pilotune {

// File bytes <-> UTF-8.
struct TextCodec {
    virtual ~TextCodec() = default;
    virtual std::string Decode(std::string_view bytes) const = 0;
    virtual std::string Encode(std::string_view utf8) const = 0;
    // Appends the encoding of `utf8` to `out`; codecs override it to save a copy.
    virtual void EncodeInto(std::string_view utf8, std::string& out) const { out += Encode(utf8); }
};

// Whole days since 30 Dec 1899 <-> the user's short date text.
struct DateCodec {
    virtual ~DateCodec() = default;
    virtual std::string Format(int day) const = 0;
    virtual std::optional<int> Parse(std::string_view text) const = 0;
};

// Outcome of a save. On failure the file on disk is the previous one, whole;
// `reason` is a French text for the user.
struct SaveResult {
    bool ok = true;
    std::string path;
    std::string reason;
};

class SettingsStore {
  public:
    struct Environment {
        std::string exePath;              // full path of the running executable
        std::string userName;             // logon name; empty gives sections without a user prefix
        const TextCodec* codec = nullptr; // nullptr: Windows-1252
        const DateCodec* dates = nullptr; // nullptr: dd/MM/yyyy
    };

    // Resolves the path from `name` (empty: the executable's name with ".ini";
    // no ".": folder + name + ".ini"; a "." but no ":": folder + name; a ":":
    // the name itself) and loads the file. A missing or unreadable file gives
    // an empty store.
    SettingsStore() = default;
    SettingsStore(const SettingsStore&) = delete; // its lines point into its own buffers
    SettingsStore& operator=(const SettingsStore&) = delete;
    SettingsStore(SettingsStore&&) = default;
    SettingsStore& operator=(SettingsStore&&) = default;

    void Open(std::string_view name, const Environment& env);
    SaveResult Flush();
    SaveResult Close(); // Flush, then release the memory copy

    std::string ReadText(std::string_view section, std::string_view key, std::string_view def,
                         bool perUser) const;
    int ReadInteger(std::string_view section, std::string_view key, int def, bool perUser) const;
    bool ReadBoolean(std::string_view section, std::string_view key, bool def, bool perUser) const;
    int ReadDate(std::string_view section, std::string_view key, int def, bool perUser) const;
    void WriteText(std::string_view section, std::string_view key, std::string_view value,
                   bool perUser);
    void WriteInteger(std::string_view section, std::string_view key, int value, bool perUser);
    void WriteBoolean(std::string_view section, std::string_view key, bool value, bool perUser);
    void WriteDate(std::string_view section, std::string_view key, int day, bool perUser);

    // True when the key exists (the stored text may still not parse).
    bool HasKey(std::string_view section, std::string_view key, bool perUser) const;

    const std::string& Path() const { return path_; }
    const std::string& UserName() const { return userName_; }
    bool IsOpen() const { return open_; }

    // The path that Open resolves for `name` next to `exePath`.
    static std::string ResolvePath(std::string_view name, std::string_view exePath);

  private:
    // Names and values point into the text read from the file, or into
    // written_ for what the program wrote.
    struct Line {
        std::string_view key;   // empty for a comment line
        std::string_view value; // the comment text for a comment line
        std::uint32_t slot = 0; // 1 + index in written_ of the value, 0 if from the file
    };
    // Open-addressing table of names compared without case: (hash, index + 1).
    struct Index {
        std::vector<std::pair<std::uint32_t, std::uint32_t>> slots;
        std::size_t count = 0;
    };
    struct Section {
        std::string name; // as written in the file, without brackets
        std::vector<Line> lines;
        Index keys; // first line of each key
    };

    auto SectionName() const;
    static auto KeyName(const Section& s);
    const Section* FindSection(std::string_view section, bool perUser) const;
    Section& SectionFor(std::string_view section, bool perUser);
    const std::string_view* Find(std::string_view section, std::string_view key,
                                 bool perUser) const;
    void Parse();
    std::string_view Keep(std::string text);
    // The whole file as its bytes, in the codec's encoding.
    std::string Render() const;

    bool open_ = false;
    bool unreadable_ = false; // the file exists but could not be read: never replace it
    std::string path_;
    std::string userName_;
    const TextCodec* codec_ = nullptr;
    const DateCodec* dates_ = nullptr;
    std::vector<char> text_;          // the file, decoded (stays in place when moved)
    std::deque<std::string> written_; // names and values written since Open
    std::vector<Section> sections_;   // sections_[0]: keys before any section header
    Index sectionIndex_;              // first section of each name
    mutable std::string scratch_;     // folded names of lookups (UI thread only)
};

} // namespace pilotune
