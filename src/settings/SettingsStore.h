#pragma once
// The settings file: one INI file beside the executable, held in memory from
// Open to Close and written back as a whole by Flush. Sections are private to
// each Windows user ("<user> <section>") when the per-user flag is set.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "settings/SettingsNames.h"

namespace pilotune {

// File bytes <-> UTF-8.
struct TextCodec {
    virtual ~TextCodec() = default;
    virtual std::string Decode(std::string_view bytes) const = 0;
    // Characters the code page lacks, and bytes that are not UTF-8, become "?".
    virtual std::string Encode(std::string_view utf8) const = 0;
    // Puts the encoding of `utf8` in `out` and gives true when the code page
    // holds every character of it; false otherwise (`out` then unspecified).
    virtual bool EncodeTo(std::string_view utf8, std::string& out) const {
        out = Encode(utf8);
        return Decode(out) == utf8;
    }
    // A code page of one byte per character can encode text piece by piece
    // into a buffer with room for the UTF-8 bytes and eight more: EncodeInto
    // then writes them at `out` and gives their end, or nullptr when the code
    // page lacks a character. Others say false here, and are never asked.
    virtual bool EncodesInPlace() const { return false; }
    virtual char* EncodeInto(std::string_view utf8, char* out) const {
        (void)utf8, (void)out;
        return nullptr;
    }
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

// One version of a file: any write or replace of the file changes it.
struct FileStamp {
    bool exists = false;
    std::uint64_t id = 0, size = 0, time = 0; // file identity, bytes, last write
    bool operator==(const FileStamp&) const = default;
};

struct FileRead {
    enum Status { kRead, kMissing, kFailed } status = kMissing; // a folder is missing
    std::string bytes;
    FileStamp stamp; // of the version read
};

struct FileReplace : SaveResult {
    bool conflict = false; // the file changed under us: nothing was replaced
    FileStamp written;     // the version now in place, when ok
};

// Held while one save reads, merges and replaces the file; released when
// destroyed.
struct FileLock {
    virtual ~FileLock() = default;
};

// Reading and replacing the settings file.
struct SettingsFiles {
    virtual ~SettingsFiles() = default;
    // Keeps other saves of the same file, in this process or another, from
    // running at the same time; waits a bounded time for one that runs, then
    // gives nullptr (the save goes on, still checking the file's version).
    virtual std::unique_ptr<FileLock> Lock(const std::string& path) const = 0;
    virtual FileRead Read(const std::string& path) const = 0;
    virtual FileStamp Stamp(const std::string& path) const = 0;
    // Writes `bytes` to a temporary file of this save's own beside `path`,
    // then puts it in the place of `path` in one step; on any failure `path`
    // is left as it was and the temporary file is removed. With `expected`,
    // a file at `path` that is no longer that version is not replaced
    // (`conflict`).
    virtual FileReplace Replace(const std::string& path, std::string_view bytes,
                                const FileStamp* expected) const = 0;
    // Removes the temporary files that saves of `path` left behind when their
    // process was killed: only names of this program's saves, only files no
    // one holds open and no one wrote in the last minutes.
    virtual void RemoveStaleTemporaries(const std::string& path) const { (void)path; }
};

// The files of whoever names none: PortableSettingsFiles, through the
// standard library's streams and paths. It lives in a library of its own that
// tests and tools link and the program does not, so a Windows caller that
// forgets to pass Win32SettingsFiles fails to link instead of carrying those.
const SettingsFiles* DefaultSettingsFiles();

class SettingsStore {
  public:
    struct Environment {
        std::string exePath;              // full path of the running executable
        std::string userName;             // logon name; empty gives sections without a user prefix
        const TextCodec* codec = nullptr; // nullptr: Windows-1252
        const DateCodec* dates = nullptr; // nullptr: dd/MM/yyyy
        const SettingsFiles* files = DefaultSettingsFiles(); // never nullptr
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
    // Writes the keys written since the last save into the file as it is on
    // disk now: the other sections and keys (another user's session that
    // saved meanwhile) stay as they are there.
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
    // Day 0 (none) is written "0"; "0" and the day 0 of the date format read 0.
    void WriteDate(std::string_view section, std::string_view key, int day, bool perUser);

    // Removes a key; nothing when it is not there. It leaves the file at the
    // next save (in a section every user shares, a copy another session left
    // on disk stays: the removal is for this user's own sections).
    void DeleteKey(std::string_view section, std::string_view key, bool perUser);

    // True when the key exists (the stored text may still not parse).
    bool HasKey(std::string_view section, std::string_view key, bool perUser) const;
    // One more than the largest number a key of the section ends with
    // ("Touche 41", "Numero41"), 0 when none: no list stored in the section
    // reaches further.
    std::size_t IndexedKeysBound(std::string_view section, bool perUser) const;

    const std::string& Path() const { return path_; }
    const std::string& UserName() const { return userName_; } // as the file holds it
    // A name or value as the file gives it back: trimmed, line breaks made
    // blanks. Sections and keys are looked up under this form.
    std::string AsStored(std::string_view text) const;
    bool IsOpen() const { return open_; }

    // The path that Open resolves for `name` next to `exePath`.
    static std::string ResolvePath(std::string_view name, std::string_view exePath);

  private:
    // Names and values point into the text read from the file, or into
    // written_ for what the program wrote.
    struct Line {
        std::string_view key;   // empty for a line that holds no setting (a comment)
        std::string_view value; // the whole line for a line without a setting
        std::uint32_t slot = 0; // 1 + index in written_ of the value, 0 if from the file
        bool pending = false;   // written since the last save
        bool deleted = false;   // removed: still indexed, never read nor written
    };
    struct Section {
        std::string name; // as written in the file, without brackets
        std::vector<Line> lines;
        NameIndex keys;           // first line of each key
        mutable bool own = false; // one of this user's, used this session
        bool pending = false;     // some line is pending
        // Its header and lines in the code page as the last save wrote them,
        // while `encodedFresh`: a save encodes again only what changed.
        mutable std::string encoded;
        mutable bool encodedFresh = false;
        mutable bool encodedAsText = false; // the same bytes as its UTF-8 text
    };
    auto SectionName() const {
        return [this](std::size_t i) -> std::string_view { return sections_[i].name; };
    }
    static auto KeyName(const Section& s) {
        return [&s](std::size_t i) -> std::string_view { return s.lines[i].key; };
    }
    const Section* FindSection(std::string_view section, bool perUser) const;
    Section& SectionFor(std::string_view section, bool perUser);
    // The section whose whole name (user prefix included) is `name`, made at
    // the end when missing.
    Section& SectionNamed(std::string_view name);
    // Sets `key` (as stored) of `s` to `value` (cleaned); marks it pending
    // when that changes the file.
    void Put(Section& s, std::string key, std::string value);
    const std::string_view* Find(std::string_view section, std::string_view key,
                                 bool perUser) const;
    void Parse();
    void Load(const std::string& bytes);
    void Reset();
    // Rebuilds the memory copy from the file's bytes, then writes the pending
    // keys into it again.
    void MergeDisk(const FileRead& disk);
    std::string_view Keep(std::string text);
    // Appends section `i` as the file holds it in UTF-8: its header (none for
    // the keys before any header), then its lines.
    void RenderSection(std::size_t i, std::string& out) const;
    // The same in the code page, in one pass (EncodesInPlace); false when the
    // code page lacks a character.
    bool EncodeSection(std::size_t i, std::string& out) const;
    // The whole file as its bytes: in the codec's code page when it holds the
    // whole text, otherwise in UTF-8 after a byte-order mark. Valid until the
    // next call.
    std::string_view Render() const;

    bool open_ = false;
    bool unreadable_ = false; // the file exists but could not be read: never replace it
    std::string path_;
    std::string userName_;
    const TextCodec* codec_ = nullptr;
    const DateCodec* dates_ = nullptr;
    const SettingsFiles* files_ = nullptr;
    FileStamp base_;                          // the version on disk the memory copy holds
    bool anyPending_ = false;                 // some line is pending
    std::string dayZero_;                     // day 0 in the date format
    std::unique_ptr<const std::string> text_; // the file, decoded (stays in place when moved)
    std::deque<std::string> written_;         // names and values written since Open
    std::vector<Section> sections_;           // sections_[0]: keys before any section header
    NameIndex sectionIndex_;                  // first section of each name
    mutable std::string scratch_;             // folded names of lookups (UI thread only)
    mutable std::string text8_, bytes_;       // Render's buffers, kept from one save to the next
    mutable std::string lastSection_;         // the last section found, as asked for
    mutable bool lastPerUser_ = false;
    mutable std::size_t lastFound_ = 0; // its index + 1; 0: none
};

} // namespace pilotune
