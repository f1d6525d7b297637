#include "settings/SettingsFilesWin32.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>
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
    wchar_t name[64];
    swprintf(name, 64, L"Global\\Pilotune-parametres-%016llx",
             static_cast<unsigned long long>(hash));

    // Every user of the computer may take it.
    SECURITY_DESCRIPTOR everyone{};
    InitializeSecurityDescriptor(&everyone, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&everyone, TRUE, nullptr, FALSE);
    SECURITY_ATTRIBUTES attributes{sizeof attributes, &everyone, FALSE};
    HANDLE mutex = CreateMutexW(&attributes, FALSE, name);
    if (!mutex) mutex = OpenMutexW(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, name);
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
    const std::wstring temp = target + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" +
                              std::to_wstring(GetCurrentThreadId()) + L".tmp";
    auto create = [&] {
        return CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    };
    Handle h(create());
    if (!h.Valid() && GetLastError() == ERROR_FILE_EXISTS && DeleteFileW(temp.c_str()))
        h.Reset(create());
    if (!h.Valid()) return Failure(path, kReasonCreate);

    bool written = true;
    for (std::size_t done = 0; written && done < bytes.size();) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 24));
        DWORD put = 0;
        written = WriteFile(h.Get(), bytes.data() + done, chunk, &put, nullptr) && put == chunk;
        done += put;
    }
    const FILETIME now = PreciseNow();
    written = written && SetFileTime(h.Get(), nullptr, nullptr, &now);
    // The bytes reach the disk before the file takes the old one's place.
    written = written && FlushFileBuffers(h.Get());
    written = h.Close() && written;
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
