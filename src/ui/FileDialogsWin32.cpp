#include "ui/FileDialogsWin32.h"

#include <commdlg.h>
#include <objbase.h>
#include <shlobj.h>

#include <algorithm>

#include "base/EncodingWin32.h"
#include "base/PathsWin32.h"

namespace pilotune {

namespace {

// The file dialog's library is loaded the first time the dialog opens, and
// stays: a session that never opens it does not carry it (about 1 MB).
using GetFileNameFn = BOOL(WINAPI*)(LPOPENFILENAMEW);
GetFileNameFn FileFunction(bool save) {
    static HMODULE const library = LoadSystemLibrary(L"comdlg32.dll");
    return library ? reinterpret_cast<GetFileNameFn>(reinterpret_cast<void*>(
                         GetProcAddress(library, save ? "GetSaveFileNameW" : "GetOpenFileNameW")))
                   : nullptr;
}

std::optional<std::string> ChooseFile(bool save, HWND owner, const std::string& title,
                                      const std::string& filter, const std::string& initialPath,
                                      const wchar_t* extension) {
    // "a|b|c|d" -> "a\0b\0c\0d\0\0"
    std::wstring filters = Widen(filter);
    std::replace(filters.begin(), filters.end(), L'|', L'\0');
    filters.append(2, L'\0');
    std::wstring file(32768, L'\0');
    const std::wstring initial = Widen(initialPath);
    std::copy_n(initial.begin(), std::min(initial.size(), file.size() - 1), file.begin());
    const std::wstring caption = Widen(title);

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filters.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrTitle = caption.c_str();
    ofn.lpstrDefExt = extension;
    ofn.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                (save ? OFN_NOREADONLYRETURN : OFN_FILEMUSTEXIST);
    const GetFileNameFn choose = FileFunction(save);
    if (!choose || !choose(&ofn)) return std::nullopt;
    return Narrow(file.c_str());
}

int CALLBACK BrowseCallback(HWND window, UINT msg, LPARAM, LPARAM data) {
    if (msg == BFFM_INITIALIZED && data) SendMessageW(window, BFFM_SETSELECTIONW, TRUE, data);
    return 0;
}

} // namespace

std::optional<std::string> ChooseFileToOpen(HWND owner, const std::string& title,
                                            const std::string& filter,
                                            const std::string& initialPath) {
    return ChooseFile(false, owner, title, filter, initialPath, nullptr);
}

std::optional<std::string> ChooseFileToSave(HWND owner, const std::string& title,
                                            const std::string& filter,
                                            const std::string& initialPath,
                                            const std::string& extension) {
    const std::wstring wide = Widen(extension);
    return ChooseFile(true, owner, title, filter, initialPath,
                      wide.empty() ? nullptr : wide.c_str());
}

std::optional<std::string> ChooseFolder(HWND owner, const std::string& title,
                                        const std::string& start) {
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const std::wstring caption = Widen(title);
    const std::wstring startFolder = Widen(start);
    BROWSEINFOW info{};
    info.hwndOwner = owner;
    info.lpszTitle = caption.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    info.lpfn = BrowseCallback;
    info.lParam = startFolder.empty() ? 0 : reinterpret_cast<LPARAM>(startFolder.c_str());
    std::optional<std::string> chosen;
    if (PIDLIST_ABSOLUTE list = SHBrowseForFolderW(&info)) {
        wchar_t path[MAX_PATH] = {};
        if (SHGetPathFromIDListW(list, path)) chosen = Narrow(path);
        CoTaskMemFree(list);
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return chosen;
}

} // namespace pilotune
