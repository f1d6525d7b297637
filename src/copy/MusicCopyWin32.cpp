#include "copy/MusicCopyWin32.h"

#include <utility>
#include <vector>

#include "base/EncodingWin32.h"

namespace pilotune {

namespace {

bool IsAbsoluteDrivePath(const std::wstring& p) {
    return p.size() >= 3 && p[1] == L':' && (p[2] == L'\\' || p[2] == L'/');
}

DWORD Attributes(const std::string& path) {
    if (path.empty()) return INVALID_FILE_ATTRIBUTES;
    return GetFileAttributesW(ApiPath(path).c_str());
}

} // namespace

std::wstring ApiPath(const std::string& path) {
    std::wstring wide = Widen(path);
    if (wide.size() < MAX_PATH - 12 || wide.rfind(L"\\\\", 0) == 0) return wide;
    if (!IsAbsoluteDrivePath(wide)) return wide;
    for (auto& c : wide)
        if (c == L'/') c = L'\\';
    return L"\\\\?\\" + wide;
}

bool DiskCopyFileSystem::FileExists(const std::string& path) {
    const DWORD a = Attributes(path);
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool DiskCopyFileSystem::FolderExists(const std::string& path) {
    const DWORD a = Attributes(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

void DiskCopyFileSystem::CreateFolders(const std::string& path) {
    // Every prefix ending before a separator, from the shortest: the drive or
    // share part simply fails to be created, which is fine.
    for (size_t i = 1; i <= path.size(); ++i) {
        if (i < path.size() && path[i] != '\\' && path[i] != '/') continue;
        const std::string prefix = path.substr(0, i);
        if (prefix.empty() || prefix.back() == ':' || FolderExists(prefix)) continue;
        CreateDirectoryW(ApiPath(prefix).c_str(), nullptr);
    }
}

bool DiskCopyFileSystem::CanCopy(const std::string& source, const std::string& target) {
    // Paths of MAX_PATH characters or more are refused, as they always were.
    return Widen(source).size() < MAX_PATH && Widen(target).size() < MAX_PATH;
}

namespace {
struct Handle {
    HANDLE h;
    ~Handle() {
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
};

// Piece by piece, `cancel` read between the pieces; the times go with the
// file. False when the copy failed.
bool CopyInPieces(const std::string& source, const std::string& target,
                  const std::atomic<bool>& cancel) {
    Handle in{CreateFileW(ApiPath(source).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                          OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr)};
    if (in.h == INVALID_HANDLE_VALUE) return false;
    Handle out{CreateFileW(ApiPath(target).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (out.h == INVALID_HANDLE_VALUE) return false;
    std::vector<char> piece(1 << 20);
    for (;;) {
        if (cancel) throw CopyCancelled{};
        DWORD read = 0, written = 0;
        if (!ReadFile(in.h, piece.data(), static_cast<DWORD>(piece.size()), &read, nullptr))
            return false;
        if (read == 0) break;
        if (!WriteFile(out.h, piece.data(), read, &written, nullptr) || written != read)
            return false;
    }
    FILETIME created, accessed, modified;
    if (GetFileTime(in.h, &created, &accessed, &modified))
        SetFileTime(out.h, &created, &accessed, &modified);
    return CloseHandle(std::exchange(out.h, INVALID_HANDLE_VALUE)) != FALSE;
}
} // namespace

void DiskCopyFileSystem::Copy(const std::string& source, const std::string& target) {
    // What a failed copy wrote goes: the caller reads the outcome on disk.
    if (!CopyInPieces(source, target, cancel_)) Remove(target);
}

bool DiskCopyFileSystem::Rename(const std::string& from, const std::string& to) {
    return MoveFileExW(ApiPath(from).c_str(), ApiPath(to).c_str(), 0) != FALSE;
}

void DiskCopyFileSystem::Remove(const std::string& path) noexcept {
    DeleteFileW(ApiPath(path).c_str());
}

} // namespace pilotune
