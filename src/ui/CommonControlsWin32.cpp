#include "ui/CommonControlsWin32.h"

#include <type_traits>

namespace pilotune {

namespace {

// The library's entry points, found once. The library stays loaded for the
// rest of the process: the windows of its classes may live until the end.
struct Library {
    using InitFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    using SetSubclassFn = BOOL(WINAPI*)(HWND, SUBCLASSPROC, UINT_PTR, DWORD_PTR);
    using RemoveSubclassFn = BOOL(WINAPI*)(HWND, SUBCLASSPROC, UINT_PTR);
    using DefSubclassFn = LRESULT(WINAPI*)(HWND, UINT, WPARAM, LPARAM);
    using GetIconFn = HICON(WINAPI*)(HIMAGELIST, int, UINT);
    using CountFn = int(WINAPI*)(HIMAGELIST);

    InitFn init = nullptr;
    SetSubclassFn setSubclass = nullptr;
    RemoveSubclassFn removeSubclass = nullptr;
    DefSubclassFn defSubclass = nullptr;
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
        find(setSubclass, "SetWindowSubclass");
        find(removeSubclass, "RemoveWindowSubclass");
        find(defSubclass, "DefSubclassProc");
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

bool AttachSubclass(HWND window, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data) {
    const Library& lib = Get();
    return lib.setSubclass && lib.setSubclass(window, proc, id, data);
}

bool DetachSubclass(HWND window, SUBCLASSPROC proc, UINT_PTR id) {
    const Library& lib = Get();
    return lib.removeSubclass && lib.removeSubclass(window, proc, id);
}

LRESULT NextSubclassProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    const Library& lib = Get();
    return lib.defSubclass ? lib.defSubclass(window, msg, wParam, lParam)
                           : DefWindowProcW(window, msg, wParam, lParam);
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
