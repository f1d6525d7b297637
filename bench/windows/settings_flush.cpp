// The program's save of its settings file under Wine: the whole save (the
// file's version checked, the text encoded, a temporary file of its own
// written and flushed to the disk, then put in place with a write-through
// replace) beside one WriteFile of the same bytes flushed to the disk, for a
// settings file of the usual size and for one of 20 000 keys.
#include <windows.h>

#include "BenchClock.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "base/EncodingWin32.h"
#include "base/PathsWin32.h"
#include "base/UserNameWin32.h"
#include "settings/SettingsWin32.h"

using namespace pilotune;

namespace {

void Row(const char* what, double ours, double base, const char* unit) {
    std::printf("%-44s %10.3f %s  baseline %10.3f %s  ratio %5.2f  (target none: reported)\n", what,
                ours, unit, base, unit, ours / base);
}

// Best of `rounds` saves, and of as many plain writes, interleaved.
void Measure(const char* what, int sections, int keys, int rounds) {
    const std::string exe = ExecutablePath();
    const std::string folder = exe.substr(0, exe.find_last_of('\\') + 1);
    const std::string name = "bench-" + std::to_string(sections * keys) + ".ini";
    DeleteFileW(Widen(folder + name).c_str());
    SettingsStore store;
    store.Open(name, ProgramEnvironment());
    for (int s = 0; s < sections; ++s)
        for (int k = 0; k < keys; ++k)
            store.WriteText("Section " + std::to_string(s), "Clé " + std::to_string(k),
                            std::to_string(s * 1000 + k) + " valeur é", true);
    store.Flush();
    std::string bytes;
    {
        HANDLE h = CreateFileW(Widen(folder + name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, 0, nullptr);
        bytes.resize(GetFileSize(h, nullptr));
        DWORD got = 0;
        ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
        CloseHandle(h);
    }
    const std::wstring plain = Widen(folder + "bench-plain.bin");
    double best = 1e18, bestBase = 1e18;
    for (int i = 0; i < rounds; ++i) {
        double t0 = NowUs();
        HANDLE h = CreateFileW(plain.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD put = 0;
        WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr);
        FlushFileBuffers(h);
        CloseHandle(h);
        bestBase = std::min(bestBase, NowUs() - t0);
        t0 = NowUs();
        if (!store.Flush().ok) std::printf("save failed\n");
        best = std::min(best, NowUs() - t0);
    }
    Row(what, best / 1000, bestBase / 1000, "ms");
    store.Close();
    DeleteFileW(Widen(folder + name).c_str());
    DeleteFileW(plain.c_str());
}

} // namespace

int main() {
    Measure("settings save to disk, 300 keys", 6, 50, 40);
    Measure("settings save to disk, 20 000 keys", 200, 100, 10);
    return 0;
}
