#pragma once
// A settings store in memory, and one on a settings file in a private folder.
#include <string>

#include "settings/Codecs.h"
#include "TempFolder.h"
#include "settings/SettingsStore.h"

namespace pilotune::testing {

struct MemoryStore {
    MemoryStore() { store.Open("", {"/nonexistent-pilotune/p.exe", "abc", &codec, &dates}); }
    Windows1252Codec codec;
    DayMonthYearDateCodec dates;
    SettingsStore store;
};

class SettingsFixture : public TempFolder {
  protected:
    SettingsStore Opened(std::string user = "abc") const {
        SettingsStore store;
        store.Open("", {(dir / "pilote.exe").string(), std::move(user), &codec, &dates});
        return store;
    }
    void WriteFile(const std::string& bytes) const { Write("pilote.ini", bytes); }
    std::string FileBytes() const { return Read("pilote.ini"); }

    Windows1252Codec codec;
    DayMonthYearDateCodec dates;
};

} // namespace pilotune::testing
