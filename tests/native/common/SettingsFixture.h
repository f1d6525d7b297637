#pragma once
// A settings store in memory (its file never exists and is never written), and
// a private folder with a fake executable path and helpers to read and write
// the settings file beside it.
#include <filesystem>
#include <fstream>
#include <iterator>
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
    void SetUp() override {
        TempFolder::SetUp();
        ini = dir / "pilote.ini";
    }

    SettingsStore Opened(std::string user = "abc") const {
        SettingsStore store;
        store.Open("", {(dir / "pilote.exe").string(), std::move(user), &codec, &dates});
        return store;
    }
    void WriteFile(const std::string& bytes) const {
        std::ofstream(ini, std::ios::binary) << bytes;
    }
    std::string FileBytes() const {
        std::ifstream in(ini, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    std::filesystem::path ini;
    Windows1252Codec codec;
    DayMonthYearDateCodec dates;
};

} // namespace pilotune::testing
