#include "ui/CommonControlsWin32.h"

#include <type_traits>

namespace pilotune {

namespace {

// The library's entry points, found once. The library stays loaded for the
// rest of the process: the windows of its classes may live until the end.
struct Library {
    using InitFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    using GetIconFn = HICON(WINAPI*)(HIMAGELIST, int, UINT);
    using CountFn = int(WINAPI*)(HIMAGELIST);

    InitFn init = nullptr;
    GetIconFn getIcon = nullptr;
    CountFn count = nullptr;

    Library() {
        HMODULE module = LoadLibraryW(L"comctl32.dll");
        if (!module) return;
        auto find = [module](auto& fn, const char* name) {
            fn = reinterpret_cast<std::remove_reference_t<decltype(fn)>>(
                reinterpret_cast<void*>(GetProcAddress(module, name)));
        };
        find(init, "InitCommonControlsEx");
        find(getIcon, "ImageList_GetIcon");
        find(count, "ImageList_GetImageCount");
    }
};

const Library& Get() {
    static const Library library;
    return library;
}

} // namespace

bool LoadCommonControls(DWORD classes) {
    const Library& lib = Get();
    if (!lib.init) return false;
    const INITCOMMONCONTROLSEX icc{sizeof(icc), classes};
    return lib.init(&icc) != FALSE;
}

HICON ImageListIcon(HIMAGELIST list, int index, UINT flags) {
    const Library& lib = Get();
    return lib.getIcon ? lib.getIcon(list, index, flags) : nullptr;
}

int ImageListCount(HIMAGELIST list) {
    const Library& lib = Get();
    return lib.count ? lib.count(list) : 0;
}

} // namespace pilotune
