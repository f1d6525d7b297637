#pragma once
// The settings store on Windows: the ANSI code page, the user's short date
// format, the executable's path and the logon name.
#include <optional>
#include <string>
#include <string_view>

#include "settings/SettingsStore.h"
#include "settings/ShortDates.h"

namespace pilotune {

// File bytes in the system's ANSI code page (CP_ACP).
class AnsiCodePageCodec final : public TextCodec {
  public:
    std::string Decode(std::string_view bytes) const override;
    std::string Encode(std::string_view utf8) const override;
    // False when a character has no exact counterpart in the code page (a
    // "best fit" letter would change the text).
    bool EncodeTo(std::string_view utf8, std::string& out) const override;
    // Under the Western code page only.
    bool EncodesInPlace() const override;
    char* EncodeInto(std::string_view utf8, char* out) const override;
};

// Dates in the current user's short date format (GetDateFormatW, DATE_SHORTDATE),
// read back by what that format writes (ShortDates.h).
class LocaleDateCodec final : public DateCodec, private ShortDateLocale {
  public:
    std::string Format(int day) const override;
    std::optional<int> Parse(std::string_view text) const override;

  private:
    std::string Pattern() const override;
    std::optional<std::string> Write(int day) const override;
    bool Gregorian() const override;
    int Today() const override;
};

// The program's one Win32 file access, for every file it reads or saves whole.
const SettingsFiles& ProgramFiles();
// The environment of the program's store: the codecs above, ProgramFiles(),
// the running executable and the current user.
SettingsStore::Environment ProgramEnvironment();
// Opens the program's store with the empty name (the ".ini" beside the exe).
void OpenProgramSettings(SettingsStore& store);

// Flushes; on failure tells the user which file could not be written and why.
// Returns the result of the save.
bool FlushOrWarn(SettingsStore& store);
// The French message FlushOrWarn shows for a failed save.
std::string SaveFailureMessage(const SaveResult& result);

} // namespace pilotune
