// The settings store on any file: open it, read every key the program reads,
// write texts, numbers and dates under names taken from the input, save, open
// again. What the store answered before the save it must answer after it,
// text in any script included (the file turns to UTF-8 when its code page
// cannot hold it), and every write must read back at once. A key the program
// removed before the save (the rows of bindings without a key, which are
// dropped on purpose) stays missing after it, repeated lines of it included.
#include <fuzzer/FuzzedDataProvider.h>

#include <fstream>
#include <tuple>
#include <vector>

#include "FuzzSupport.h"
#include "schedule/Planification.h"
#include "settings/Codecs.h"
#include "settings/Option.h"
#include "settings/SettingsStore.h"

using namespace pilotune;
using pilotune::fuzz::Check;

namespace {

const Windows1252Codec kCodec;
constexpr std::string_view kMissing = "\x01missing";

struct FixedClock final : ScheduleClock {
    ClockReading Read() override { return {45000, 43200, 3}; }
};

std::string Trimmed(std::string s) {
    for (char& c : s)
        if (c == '\r' || c == '\n' || c == '\0') c = ' ';
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

// The file as the store decodes it.
std::string Decoded(const std::string& bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF")) return bytes.substr(3);
    if (bytes.starts_with("\xFF\xFE")) return Utf16LeToUtf8(std::string_view(bytes).substr(2));
    return IsWellFormedUtf8(bytes) ? bytes : kCodec.Decode(bytes);
}

// A key that a line of the file can give back.
bool Storable(const std::string& key) {
    const std::string k = Trimmed(key);
    return !k.empty() && k.find('=') == std::string::npos && k[0] != '[' && k[0] != ';';
}

struct Name {
    std::string section, key;
    bool perUser;
};

// Section and key names as a reader of the file sees them.
void NamesOfFile(const std::string& text, std::vector<Name>& names) {
    std::string section;
    std::size_t pos = 0;
    while (pos < text.size() && names.size() < 200) {
        std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string::npos) end = text.size();
        const std::string line = Trimmed(text.substr(pos, end - pos));
        pos = end + 1;
        if (line.empty()) continue;
        if (line[0] == '[') {
            const auto close = line.rfind(']');
            section = Trimmed(line.substr(
                1, close == std::string::npos || close == 0 ? std::string::npos : close - 1));
        } else if (const auto eq = line.find('='); eq != std::string::npos && line[0] != ';') {
            names.push_back({section, line.substr(0, eq), false});
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const std::string user = in.ConsumeRandomLengthString(12);
    const std::string file = in.ConsumeRandomLengthString(1 << 15);

    const auto dir = fuzz::ScratchDir();
    const auto iniPath = dir / "Pilotune.ini";
    std::filesystem::remove(iniPath.string() + ".tmp");
    {
        std::ofstream out(iniPath, std::ios::binary | std::ios::trunc);
        out.write(file.data(), static_cast<std::streamsize>(file.size()));
    }
    SettingsStore::Environment env;
    env.exePath = (dir / "Pilotune.exe").string();
    env.userName = user;

    SettingsStore store;
    store.Open("", env);

    // Every key the program itself reads, in its own order.
    COption option;
    option.Load(store, [](const std::string& name) { return static_cast<int>(name.size()); });
    FixedClock clock;
    CPlanification schedule(store, clock, [](int, const std::string&) {});
    schedule.Load();

    std::vector<Name> names;
    NamesOfFile(Decoded(file), names);

    // Writes under names from the input; each reads back at once.
    while (in.remaining_bytes() > 0 && names.size() < 260) {
        const bool perUser = in.ConsumeBool();
        const std::string section = in.ConsumeRandomLengthString(16);
        const std::string key = in.ConsumeRandomLengthString(16);
        const std::string old = store.ReadText(section, key, kMissing, perUser);
        switch (in.ConsumeIntegralInRange(0, 2)) {
        case 0: {
            const std::string value = in.ConsumeRandomLengthString(40);
            store.WriteText(section, key, value, perUser);
            if (!Storable(key)) break;
            Check(store.ReadText(section, key, kMissing, perUser) == Trimmed(value),
                  "a written text reads back", key, value);
            break;
        }
        case 1: {
            const int value = in.ConsumeIntegral<int>();
            store.WriteInteger(section, key, value, perUser);
            if (!Storable(key)) break;
            Check(store.ReadInteger(section, key, value ^ 1, perUser) == value,
                  "a written integer reads back", key);
            break;
        }
        default: {
            // Years 1 to 9999, which the date text can hold.
            const int day = in.ConsumeIntegralInRange(-693593, 2958465);
            store.WriteDate(section, key, day, perUser);
            if (!Storable(key)) break;
            Check(store.ReadDate(section, key, day ^ 1, perUser) == day,
                  "a written date reads back", key);
            break;
        }
        }
        if (!Storable(key))
            Check(store.ReadText(section, key, kMissing, perUser) == old,
                  "a key the file cannot hold is not written", key);
        names.push_back({section, key, perUser});
    }

    option.Save(store);
    schedule.SaveState();

    std::vector<std::string> before;
    for (const Name& n : names)
        before.push_back(store.ReadText(n.section, n.key, kMissing, n.perUser));

    const SaveResult saved = store.Flush();
    Check(saved.ok, "a save into a writable folder succeeds", saved.reason);

    SettingsStore again;
    again.Open("", env);
    for (std::size_t i = 0; i < names.size(); ++i) {
        const Name& n = names[i];
        const std::string after = again.ReadText(n.section, n.key, kMissing, n.perUser);
        Check(after == before[i], "a value survives a save and a new opening",
              n.section + " / " + n.key, before[i] + " -> " + after);
    }
    COption reloaded;
    reloaded.Load(again, {});
    return 0;
}
