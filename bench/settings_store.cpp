// Settings store against inih (open and read every key) and against one plain
// fwrite (save), on a file of 20 000 keys in 200 sections.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "settings/Codecs.h"
#include "settings/SettingsFiles.h"
#include "settings/SettingsStore.h"

#ifdef HAVE_INIH
#include <ini.h>
#endif

namespace {

using namespace pilotune;
namespace fs = std::filesystem;

constexpr int kSections = 200;
constexpr int kKeysPerSection = 100;

struct Fixture {
    fs::path dir = fs::temp_directory_path() / "pilotune-bench-settings";
    fs::path ini = dir / "bench.ini";
    fs::path plain = dir / "plain.bin";
    Windows1252Codec codec;
    DayMonthYearDateCodec dates;
    std::string bytes;

    Fixture() {
        fs::create_directories(dir);
        for (int s = 0; s < kSections; ++s) {
            bytes += "[utilisateur Section " + std::to_string(s) + "]\r\n";
            for (int k = 0; k < kKeysPerSection; ++k)
                bytes += "Clé " + std::to_string(k) + "=" + std::to_string(s * 1000 + k) +
                         " valeur é\r\n";
            bytes += "\r\n";
        }
        bytes = codec.Encode(bytes);
        std::ofstream(ini, std::ios::binary) << bytes;
    }
    SettingsStore::Environment Env() const {
        return {(dir / "bench.exe").string(), "utilisateur", &codec, &dates};
    }
};

Fixture& Data() {
    static Fixture f;
    return f;
}

void BM_StoreOpenAndReadAll(benchmark::State& state) {
    Fixture& f = Data();
    std::vector<std::string> sections, keys;
    for (int s = 0; s < kSections; ++s)
        sections.push_back("Section " + std::to_string(s));
    for (int k = 0; k < kKeysPerSection; ++k)
        keys.push_back("Clé " + std::to_string(k));
    for (auto _ : state) {
        SettingsStore store;
        store.Open("", f.Env());
        std::size_t total = 0;
        for (const auto& s : sections)
            for (const auto& k : keys)
                total += store.ReadText(s, k, "", true).size();
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_StoreOpenAndReadAll)->Unit(benchmark::kMillisecond);

#ifdef HAVE_INIH
int Handler(void* user, const char*, const char*, const char* value) {
    *static_cast<std::size_t*>(user) += std::char_traits<char>::length(value);
    return 1;
}

void BM_InihParse(benchmark::State& state) {
    Fixture& f = Data();
    for (auto _ : state) {
        std::size_t total = 0;
        ini_parse(f.ini.string().c_str(), Handler, &total);
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_InihParse)->Unit(benchmark::kMillisecond);
#endif

// A save after the program changed one setting: one key of one section each
// time, in turn through the sections.
void BM_StoreFlush(benchmark::State& state) {
    Fixture& f = Data();
    SettingsStore store;
    store.Open("", f.Env());
    int n = 0;
    for (auto _ : state) {
        store.WriteInteger("Section " + std::to_string(n % kSections), "Clé 0", n, true);
        ++n;
        const SaveResult r = store.Flush();
        if (!r.ok) state.SkipWithError(r.reason.c_str());
    }
}
BENCHMARK(BM_StoreFlush)->Unit(benchmark::kMillisecond);

// A save after a key changed in every section: the whole file encoded again,
// as in the first save after Open.
void BM_StoreFlushEverySection(benchmark::State& state) {
    Fixture& f = Data();
    SettingsStore store;
    store.Open("", f.Env());
    int n = 0;
    for (auto _ : state) {
        ++n;
        for (int s = 0; s < kSections; ++s)
            store.WriteInteger("Section " + std::to_string(s), "Clé 0", n, true);
        const SaveResult r = store.Flush();
        if (!r.ok) state.SkipWithError(r.reason.c_str());
    }
}
BENCHMARK(BM_StoreFlushEverySection)->Unit(benchmark::kMillisecond);

// The same save after another session saved the file: it is read again, and
// this user's sections (every one of them here) are put back into it.
void BM_StoreFlushAfterAnotherSave(benchmark::State& state) {
    Fixture& f = Data();
    SettingsStore store;
    store.Open("", f.Env());
    for (int s = 0; s < kSections; ++s)
        benchmark::DoNotOptimize(store.HasKey("Section " + std::to_string(s), "Clé 0", true));
    auto when = fs::last_write_time(f.ini);
    for (auto _ : state) {
        state.PauseTiming();
        when += std::chrono::seconds(1); // what another session's save changes
        fs::last_write_time(f.ini, when);
        state.ResumeTiming();
        const SaveResult r = store.Flush();
        if (!r.ok) state.SkipWithError(r.reason.c_str());
    }
}
BENCHMARK(BM_StoreFlushAfterAnotherSave)->Unit(benchmark::kMillisecond);

// The floor of a save: the settings files' own part alone (lock, version
// check, temporary file written, then renamed over the file), and the code
// page encoding of the whole text alone.
void BM_FilesReplaceOnly(benchmark::State& state) {
    Fixture& f = Data();
    const PortableSettingsFiles files;
    const std::string path = f.ini.string();
    for (auto _ : state) {
        const auto lock = files.Lock(path);
        const FileStamp stamp = files.Stamp(path);
        const FileReplace r = files.Replace(path, f.bytes, &stamp);
        if (!r.ok) state.SkipWithError(r.reason.c_str());
    }
}
BENCHMARK(BM_FilesReplaceOnly)->Unit(benchmark::kMillisecond);

void BM_EncodeOnly(benchmark::State& state) {
    Fixture& f = Data();
    const std::string text = f.codec.Decode(f.bytes);
    std::string out;
    for (auto _ : state) {
        benchmark::DoNotOptimize(f.codec.EncodeTo(text, out));
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_EncodeOnly)->Unit(benchmark::kMillisecond);

void BM_PlainFwrite(benchmark::State& state) {
    Fixture& f = Data();
    for (auto _ : state) {
        std::FILE* out = std::fopen(f.plain.string().c_str(), "wb");
        std::fwrite(f.bytes.data(), 1, f.bytes.size(), out);
        std::fclose(out);
    }
}
BENCHMARK(BM_PlainFwrite)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
