#pragma once
// Helpers shared by the harnesses: a private scratch folder and a check that
// ends the run with a readable report (libFuzzer saves the input).
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <unistd.h>

namespace pilotune::fuzz {

[[noreturn]] inline void Fail(const char* what, std::string_view a = {}, std::string_view b = {}) {
    std::fprintf(stderr, "FUZZ CHECK FAILED: %s\n  [%.*s]\n  [%.*s]\n", what,
                 static_cast<int>(a.size()), a.data(), static_cast<int>(b.size()), b.data());
    std::abort();
}

inline void Check(bool ok, const char* what, std::string_view a = {}, std::string_view b = {}) {
    if (!ok) Fail(what, a, b);
}

// One folder per process, emptied for every input.
inline const std::filesystem::path& ScratchDir() {
    static const std::filesystem::path dir = [] {
        auto d = std::filesystem::temp_directory_path() /
                 ("pilotune-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(d);
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(std::filesystem::temp_directory_path() /
                                            ("pilotune-fuzz-" + std::to_string(::getpid())),
                                        ec);
        });
        return d;
    }();
    return dir;
}

} // namespace pilotune::fuzz
