#include "settings/SettingsFilesWin32.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "base/EncodingWin32.h"
#include "settings/SettingsFiles.h"

namespace pilotune {

namespace {

class Handle {
  public:
    explicit Handle(HANDLE h) : h_(h) {}
    ~Handle() { Close(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool Valid() const { return h_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return h_; }
    bool Close() {
        const bool ok = !Valid() || CloseHandle(h_);
        h_ = INVALID_HANDLE_VALUE;
        return ok;
    }
    void Reset(HANDLE h) {
        Close();
        h_ = h;
    }

  private:
    HANDLE h_;
};

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

std::uint64_t Join(DWORD high, DWORD low) {
    return (static_cast<std::uint64_t>(high) << 32) | low;
}

// The version of a file is its size and last write time: each save sets the
// time of its file itself, to the 100 ns, so that no two saves share one.
FileStamp StampOf(DWORD sizeHigh, DWORD sizeLow, const FILETIME& written) {
    FileStamp s;
    s.exists = true;
    s.size = Join(sizeHigh, sizeLow);
    s.time = Join(written.dwHighDateTime, written.dwLowDateTime);
    return s;
}

FileStamp StampOf(HANDLE h) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(h, &info)) return {};
    return StampOf(info.nFileSizeHigh, info.nFileSizeLow, info.ftLastWriteTime);
}

FILETIME PreciseNow() {
    using Precise = void(WINAPI*)(LPFILETIME);
    static const auto precise = reinterpret_cast<Precise>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetSystemTimePreciseAsFileTime")));
    FILETIME now{};
    if (precise)
        precise(&now);
    else
        GetSystemTimeAsFileTime(&now);
    return now;
}

// MoveFileExW, tried again for a few milliseconds while another program
// (another session reading the file, a virus scanner) holds the old file open.
bool MoveInPlace(const std::wstring& from, const std::wstring& to) {
    const ULONGLONG until = GetTickCount64() + 30;
    for (;;) {
        if (MoveFileExW(from.c_str(), to.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        const DWORD error = GetLastError();
        if ((error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) ||
            GetTickCount64() > until)
            return false;
        SwitchToThread();
    }
}

bool IsFolder(const std::wstring& path) {
    const DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

FileReplace Failure(const std::string& path, std::string_view reason) {
    FileReplace r;
    r.ok = false;
    r.path = path;
    r.reason = reason;
    return r;
}

// The attributes a replace gives the new file from the old one.
constexpr DWORD kKeptAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// A temporary file older than this, that no one holds open, is a dead save's.
constexpr ULONGLONG kStaleAfter = 5ull * 60 * 10000000; // 100 ns units

bool WriteAll(HANDLE h, std::string_view bytes) {
    for (std::size_t done = 0; done < bytes.size();) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 24));
        DWORD put = 0;
        if (!WriteFile(h, bytes.data() + done, chunk, &put, nullptr) || put != chunk) return false;
        done += put;
    }
    return true;
}

// True when the file of `h` holds exactly `bytes` (read from its start).
bool Holds(HANDLE h, std::string_view bytes) {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(h, &size) || static_cast<std::uint64_t>(size.QuadPart) != bytes.size())
        return false;
    LARGE_INTEGER start{};
    if (!SetFilePointerEx(h, start, nullptr, FILE_BEGIN)) return false;
    char block[1 << 16];
    for (std::size_t done = 0; done < bytes.size();) {
        DWORD got = 0;
        const DWORD want =
            static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, sizeof block));
        if (!ReadFile(h, block, want, &got, nullptr) || got == 0 ||
            std::string_view(block, got) != bytes.substr(done, got))
            return false;
        done += got;
    }
    return true;
}

// The save when only the file is writable: no step is atomic, so the bytes
// are flushed and read back before the save counts as done.
FileReplace WriteInPlace(const std::string& path, const std::wstring& target,
                         std::string_view bytes, const FileStamp* expected) {
    Handle h(CreateFileW(target.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!h.Valid()) return Failure(path, kReasonReplace);
    FileReplace r;
    r.path = path;
    if (expected && StampOf(h.Get()) != *expected) {
        r.ok = false;
        r.conflict = true;
        return r;
    }
    const FILETIME now = PreciseNow();
    const bool written = WriteAll(h.Get(), bytes) && SetEndOfFile(h.Get()) &&
                         SetFileTime(h.Get(), nullptr, nullptr, &now) &&
                         FlushFileBuffers(h.Get()) && Holds(h.Get(), bytes);
    if (!written) return Failure(path, kReasonWrite);
    r.written = StampOf(h.Get());
    return h.Close() ? r : Failure(path, kReasonWrite);
}

// "<file>.<digits>-<digits>.tmp", the names Replace gives its temporary files.
bool IsTemporaryName(std::wstring_view name, std::wstring_view file) {
    if (name.size() <= file.size() + 1 ||
        CompareStringOrdinal(name.data(), static_cast<int>(file.size()), file.data(),
                             static_cast<int>(file.size()), TRUE) != CSTR_EQUAL)
        return false;
    name.remove_prefix(file.size());
    if (name.front() != L'.' || !name.ends_with(L".tmp")) return false;
    name = name.substr(1, name.size() - 5);
    const std::size_t dash = name.find(L'-');
    auto digits = [](std::wstring_view d) {
        return !d.empty() && d.size() <= 10 &&
               std::all_of(d.begin(), d.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
    };
    return dash != std::wstring_view::npos && digits(name.substr(0, dash)) &&
           digits(name.substr(dash + 1));
}

class MutexLock final : public FileLock {
  public:
    explicit MutexLock(HANDLE mutex) : mutex_(mutex) {}
    ~MutexLock() override {
        ReleaseMutex(mutex_);
        CloseHandle(mutex_);
    }
    MutexLock(const MutexLock&) = delete;
    MutexLock& operator=(const MutexLock&) = delete;

  private:
    HANDLE mutex_;
};

} // namespace

std::unique_ptr<FileLock> Win32SettingsFiles::Lock(const std::string& path) const {
    std::wstring file = Widen(path);
    if (file.empty()) return nullptr;
    CharLowerBuffW(file.data(), static_cast<DWORD>(file.size()));
    std::uint64_t hash = 14695981039346656037ull; // FNV-1a
    for (const wchar_t c : file)
        hash = (hash ^ static_cast<std::uint16_t>(c)) * 1099511628211ull;
    char narrow[64];
    std::snprintf(narrow, sizeof narrow, "Global\\Pilotune-parametres-%016llx",
                  static_cast<unsigned long long>(hash));
    const std::wstring name = Widen(narrow);

    // Every user of the computer may take it.
    SECURITY_DESCRIPTOR everyone{};
    InitializeSecurityDescriptor(&everyone, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&everyone, TRUE, nullptr, FALSE);
    SECURITY_ATTRIBUTES attributes{sizeof attributes, &everyone, FALSE};
    HANDLE mutex = CreateMutexW(&attributes, FALSE, name.c_str());
    if (!mutex) mutex = OpenMutexW(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, name.c_str());
    if (!mutex) return nullptr;
    // Bounded: another save holds it for the time of one write.
    const DWORD wait = WaitForSingleObject(mutex, 500);
    if (wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED) return std::make_unique<MutexLock>(mutex);
    CloseHandle(mutex);
    return nullptr;
}

FileStamp Win32SettingsFiles::Stamp(const std::string& path) const {
    // Without opening the file: an open file cannot be replaced.
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(Widen(path).c_str(), GetFileExInfoStandard, &data)) return {};
    return StampOf(data.nFileSizeHigh, data.nFileSizeLow, data.ftLastWriteTime);
}

FileRead Win32SettingsFiles::Read(const std::string& path) const {
    FileRead r;
    const std::wstring wide = Widen(path);
    if (IsFolder(wide)) return r;
    // Shared for deleting: another session may replace the file meanwhile.
    Handle h(CreateFileW(wide.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                         FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!h.Valid()) {
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND)
            r.status = FileRead::kFailed;
        return r;
    }
    r.stamp = StampOf(h.Get());
    if (r.stamp.size >= (std::uint64_t{1} << 30)) {
        r.status = FileRead::kFailed;
        return r;
    }
    r.bytes.resize(static_cast<std::size_t>(r.stamp.size));
    std::size_t done = 0;
    for (;;) {
        if (done == r.bytes.size()) r.bytes.resize(done + 65536); // it grew
        DWORD got = 0;
        if (!ReadFile(h.Get(), r.bytes.data() + done, static_cast<DWORD>(r.bytes.size() - done),
                      &got, nullptr)) {
            r.status = FileRead::kFailed;
            r.bytes.clear();
            return r;
        }
        if (got == 0) break;
        done += got;
    }
    r.bytes.resize(done);
    r.status = FileRead::kRead;
    return r;
}

FileReplace Win32SettingsFiles::Replace(const std::string& path, std::string_view bytes,
                                        const FileStamp* expected) const {
    const std::wstring target = Widen(path);
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) return Failure(path, kReasonFolder);
        if (attributes & FILE_ATTRIBUTE_READONLY) return Failure(path, kReasonReadOnly);
    }

    // One name per process and thread: two saves never write into the same
    // file. One left by a process that died with these ids is replaced; one
    // that another computer's process still writes (a shared folder) is not.
    const std::wstring temp = target + Widen("." + std::to_string(GetCurrentProcessId()) + "-" +
                                             std::to_string(GetCurrentThreadId()) + ".tmp");
    auto create = [&] {
        return CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    };
    Handle h(create());
    if (!h.Valid() && GetLastError() == ERROR_FILE_EXISTS && DeleteFileW(temp.c_str()))
        h.Reset(create());
    if (!h.Valid()) {
        // The folder takes no new file; the file itself may still be writable.
        if (attributes != INVALID_FILE_ATTRIBUTES)
            return WriteInPlace(path, target, bytes, expected);
        return Failure(path, kReasonCreate);
    }

    bool written = WriteAll(h.Get(), bytes);
    const FILETIME now = PreciseNow();
    written = written && SetFileTime(h.Get(), nullptr, nullptr, &now);
    // The bytes reach the disk before the file takes the old one's place.
    written = written && FlushFileBuffers(h.Get());
    written = h.Close() && written;
    if (written && attributes != INVALID_FILE_ATTRIBUTES && (attributes & kKeptAttributes))
        written = SetFileAttributesW(temp.c_str(), attributes & kKeptAttributes);
    if (!written) {
        DeleteFileW(temp.c_str());
        return Failure(path, kReasonWrite);
    }

    FileReplace r;
    r.path = path;
    r.written = Stamp(Narrow(temp)); // a rename keeps it
    if (expected && Stamp(path) != *expected) {
        DeleteFileW(temp.c_str());
        r.ok = false;
        r.conflict = true;
        return r;
    }
    if (!MoveInPlace(temp, target)) {
        DeleteFileW(temp.c_str());
        return Failure(path, kReasonReplace);
    }
    return r;
}

} // namespace pilotune

namespace pilotune {

void Win32SettingsFiles::RemoveStaleTemporaries(const std::string& path) const {
    const std::wstring target = Widen(path);
    const std::size_t slash = target.find_last_of(L"\\/");
    const std::wstring folder = target.substr(0, slash + 1);
    const std::wstring file = target.substr(slash + 1);
    WIN32_FIND_DATAW found{};
    HANDLE find = FindFirstFileW((target + L".*.tmp").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return;
    FILETIME nowTime{};
    GetSystemTimeAsFileTime(&nowTime);
    const ULONGLONG now = Join(nowTime.dwHighDateTime, nowTime.dwLowDateTime);
    do {
        const ULONGLONG written =
            Join(found.ftLastWriteTime.dwHighDateTime, found.ftLastWriteTime.dwLowDateTime);
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
            !IsTemporaryName(found.cFileName, file) || written + kStaleAfter > now)
            continue;
        // Opened without sharing: a save that still writes it keeps it.
        HANDLE h = CreateFileW((folder + found.cFileName).c_str(), DELETE, 0, nullptr,
                               OPEN_EXISTING, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    } while (FindNextFileW(find, &found));
    FindClose(find);
}

} // namespace pilotune
