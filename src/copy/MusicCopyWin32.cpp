#include "copy/MusicCopyWin32.h"

#include <shellapi.h>

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

bool ShellCopyFileSystem::FileExists(const std::string& path) {
    const DWORD a = Attributes(path);
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool ShellCopyFileSystem::FolderExists(const std::string& path) {
    const DWORD a = Attributes(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

void ShellCopyFileSystem::CreateFolders(const std::string& path) {
    // Every prefix ending before a separator, from the shortest: the drive or
    // share part simply fails to be created, which is fine.
    for (size_t i = 1; i <= path.size(); ++i) {
        if (i < path.size() && path[i] != '\\' && path[i] != '/') continue;
        const std::string prefix = path.substr(0, i);
        if (prefix.empty() || prefix.back() == ':' || FolderExists(prefix)) continue;
        CreateDirectoryW(ApiPath(prefix).c_str(), nullptr);
    }
}

bool ShellCopyFileSystem::CanShellCopy(const std::string& source, const std::string& target) {
    // The shell's file operation takes MAX_PATH paths only (no "\\?\" form).
    return Widen(source).size() < MAX_PATH && Widen(target).size() < MAX_PATH;
}

void ShellCopyFileSystem::ShellCopy(const std::string& source, const std::string& target) {
    // Both lists end with two zero characters; the strings are sized to fit.
    std::wstring from = Widen(source);
    from.append(2, L'\0');
    std::wstring to = Widen(target);
    to.append(2, L'\0');
    SHFILEOPSTRUCTW op{};
    op.hwnd = owner_;
    op.wFunc = FO_COPY;
    op.pFrom = from.c_str();
    op.pTo = to.c_str();
    op.fFlags = FOF_ALLOWUNDO | FOF_RENAMEONCOLLISION;
    SHFileOperationW(&op); // the outcome is read on disk by the caller
}

} // namespace pilotune
