#include "base/FailureLogWin32.h"

#include <shlobj.h>

#include <mutex>

#include "base/EncodingWin32.h"
#include "base/FailureLog.h"
#include "base/HandleWin32.h"

namespace pilotune {

namespace {

constexpr wchar_t kFolder[] = L"\\Pilotune";
constexpr wchar_t kFile[] = L"\\Pilotune.log";

std::wstring LocalAppData() {
    PWSTR path = nullptr;
    std::wstring folder;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &path)) && path)
        folder = path;
    CoTaskMemFree(path);
    return folder;
}

LogTime Now() {
    SYSTEMTIME t{};
    GetLocalTime(&t);
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

bool WriteAll(HANDLE file, std::string_view bytes) {
    DWORD written = 0;
    return WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

// One line at the end of the file; the file rewritten from its newer half
// when the line does not fit. Other writers wait for nothing: a file another
// process holds open for writing just misses this line.
void Append(const std::string& line) {
    const std::wstring folder = LocalAppData();
    if (folder.empty()) return;
    CreateDirectoryW((folder + kFolder).c_str(), nullptr);
    const KernelHandle file{CreateFileW((folder + kFolder + kFile).c_str(),
                                        GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                        OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (!file) return;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size)) return;
    const auto bytes = static_cast<std::size_t>(size.QuadPart);
    if (FitsInFailureLog(bytes, line.size())) {
        LARGE_INTEGER end{};
        if (!SetFilePointerEx(file.Get(), end, nullptr, FILE_END)) return;
        WriteAll(file.Get(), bytes == 0 ? std::string(kUtf8Bom) + line : line);
        return;
    }
    // Only the end of the file can stay: at most the bound is read.
    const std::size_t tail = bytes < kFailureLogLimit ? bytes : kFailureLogLimit;
    LARGE_INTEGER from{};
    from.QuadPart = static_cast<LONGLONG>(bytes - tail);
    std::string content(tail, '\0');
    DWORD read = 0;
    if (!SetFilePointerEx(file.Get(), from, nullptr, FILE_BEGIN) ||
        !ReadFile(file.Get(), content.data(), static_cast<DWORD>(tail), &read, nullptr))
        return;
    content.resize(read);
    const LARGE_INTEGER start{};
    if (!SetFilePointerEx(file.Get(), start, nullptr, FILE_BEGIN)) return;
    if (WriteAll(file.Get(), TrimmedFailureLog(content, line))) SetEndOfFile(file.Get());
}

void Log(std::string_view what, DWORD error, std::string_view text) {
    // One writer at a time in this process; the line is made before the lock.
    static std::mutex writing;
    const std::string line = FailureLine(Now(), what, error, text);
    const std::lock_guard lock(writing);
    Append(line);
}

} // namespace

void LogFailure(std::string_view what, DWORD error) {
    const DWORD kept = GetLastError();
    try {
        Log(what, error, error ? SystemErrorText(error) : std::string()); // 0: no error code
    } catch (...) {
        // No memory for a line: nothing more can be done here.
    }
    SetLastError(kept);
}

void LogFailure(std::string_view what) {
    LogFailure(what, GetLastError());
}

void LogException(std::string_view where, const std::exception_ptr& caught) {
    const DWORD kept = GetLastError();
    try {
        try {
            if (caught) std::rethrow_exception(caught);
        } catch (const std::exception& e) {
            Log(where, 0, e.what());
        } catch (...) {
            Log(where, 0, "exception inconnue");
        }
    } catch (...) {
    }
    SetLastError(kept);
}

std::string FailureLogPath() {
    const std::wstring folder = LocalAppData();
    return folder.empty() ? std::string() : Narrow(folder + kFolder + kFile);
}

std::string SystemErrorText(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD n = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::string text = n && buffer ? Narrow(std::wstring_view(buffer, n)) : std::string();
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
        text.pop_back();
    if (text.empty()) text = "Erreur système " + std::to_string(code);
    return text;
}

} // namespace pilotune
