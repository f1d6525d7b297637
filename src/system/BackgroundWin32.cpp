#include "system/BackgroundWin32.h"

#include <vector>

#include "base/EncodingWin32.h"
#include "base/PathsWin32.h"
#include "settings/SettingsWin32.h"
#include "base/VersionWin32.h"
#include "ui/WindowWin32.h"

namespace pilotune {

namespace {

using SetLayeredFn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);

// Looked up at run time: the older family has no layered windows.
SetLayeredFn LayeredFunction() {
    HMODULE user = GetModuleHandleW(L"user32.dll");
    return user ? reinterpret_cast<SetLayeredFn>(
                      reinterpret_cast<void*>(GetProcAddress(user, "SetLayeredWindowAttributes")))
                : nullptr;
}

} // namespace

BarBackground::BarBackground(std::string folder) : colour_(GetSysColor(COLOR_BTNFACE)) {
    if (folder.empty()) folder = ProgramFolder();
    if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') folder += '\\';
    path_ = folder + kBackgroundFile;
}

BarBackground::~BarBackground() {
    if (pending_) KillTimer(pending_, TimerId());
}

void BarBackground::Replace(HBITMAP bitmap) {
    bitmap_.Reset(bitmap);
}

// The windows under the bar need a moment to repaint once it is hidden: the
// copy waits for a timer instead of holding up the bar's thread.
void BarBackground::Capture(HWND bar) {
    if (pending_ || !bar) return;
    GetWindowRect(bar, &area_);
    wasShown_ = IsWindowVisible(bar) != FALSE;
    if (wasShown_) ShowWindow(bar, SW_HIDE);
    if (!SetTimer(bar, TimerId(), static_cast<UINT>(captureDelayMs), &OnCaptureTimer)) {
        if (wasShown_) ShowWindow(bar, SW_SHOWNOACTIVATE);
        return;
    }
    pending_ = bar;
}

void CALLBACK BarBackground::OnCaptureTimer(HWND bar, UINT, UINT_PTR id, DWORD) {
    KillTimer(bar, id);
    reinterpret_cast<BarBackground*>(id)->FinishCapture();
}

void BarBackground::FinishCapture() {
    HWND bar = pending_;
    pending_ = nullptr;
    if (!bar || !IsWindow(bar)) return;
    const int w = area_.right - area_.left, h = area_.bottom - area_.top;
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = w > 0 && h > 0 ? CreateCompatibleBitmap(screen, w, h) : nullptr;
    if (bitmap) {
        const MemoryDc memory{CreateCompatibleDC(screen)};
        HGDIOBJ old = SelectObject(memory.Get(), bitmap);
        BitBlt(memory.Get(), 0, 0, w, h, screen, area_.left, area_.top, SRCCOPY);
        SelectObject(memory.Get(), old);
    }
    ReleaseDC(nullptr, screen);

    if (wasShown_) ShowWindow(bar, SW_SHOWNOACTIVATE);
    if (!bitmap) return;
    Replace(bitmap);
    InvalidateRect(bar, nullptr, FALSE);
    SaveBitmapFile(bitmap_.Get(), path_);
}

void BarBackground::Load(HWND bar) {
    const std::wstring file = Widen(path_);
    if (GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES) {
        auto* loaded = static_cast<HBITMAP>(
            LoadImageW(nullptr, file.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
        if (loaded) {
            Replace(loaded);
            InvalidateRect(bar, nullptr, FALSE);
            return;
        }
    }
    Capture(bar); // none, or one that is not a picture
}

void BarBackground::ApplyTransparency(HWND bar, Element& image, int percent) {
    const SetLayeredFn setLayered = LayeredFunction();
    const TransparencyPlan plan = PlanTransparency(percent, IsWindowsNT(), setLayered != nullptr);
    image.visible = true;
    if (plan.loadPicture) Load(bar);
    if (plan.keyColour) colour_ = RGB(253, 253, 253);
    const LONG ex = GetWindowLongW(bar, GWL_EXSTYLE);
    switch (plan.layer) {
    case LayerMode::Alpha:
        SetWindowLongW(bar, GWL_EXSTYLE, ex | WS_EX_LAYERED);
        setLayered(bar, 0, static_cast<BYTE>(plan.alpha), LWA_ALPHA);
        break;
    case LayerMode::ColourKey:
        SetWindowLongW(bar, GWL_EXSTYLE, ex | WS_EX_LAYERED);
        image.visible = false;
        setLayered(bar, RGB(253, 253, 253), 0, LWA_COLORKEY);
        break;
    case LayerMode::None:
        if (plan.keyColour && (ex & WS_EX_LAYERED))
            SetWindowLongW(bar, GWL_EXSTYLE, ex & ~WS_EX_LAYERED);
        break;
    }
    InvalidateRect(bar, nullptr, TRUE);
    SetTopMost(bar, kTopMost);
}

void BarBackground::Draw(HDC dc, const Element& image) const {
    if (!bitmap_ || !image.visible) return;
    BITMAP info{};
    GetObjectW(bitmap_.Get(), sizeof(info), &info);
    const MemoryDc buffer{CreateCompatibleDC(dc)};
    HDC memory = buffer.Get();
    HGDIOBJ old = SelectObject(memory, bitmap_.Get());
    const Rect& b = image.bounds;
    if (info.bmWidth == b.width && info.bmHeight == b.height) {
        BitBlt(dc, b.left, b.top, b.width, b.height, memory, 0, 0, SRCCOPY);
    } else {
        SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, b.left, b.top, b.width, b.height, memory, 0, 0, info.bmWidth, info.bmHeight,
                   SRCCOPY);
    }
    SelectObject(memory, old);
}

bool SaveBitmapFile(HBITMAP bitmap, const std::string& path) {
    BITMAP info{};
    if (!bitmap || !GetObjectW(bitmap, sizeof(info), &info)) return false;
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = info.bmWidth;
    header.biHeight = info.bmHeight; // bottom-up
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const DWORD stride = ((static_cast<DWORD>(info.bmWidth) * 3 + 3) / 4) * 4;
    header.biSizeImage = stride * static_cast<DWORD>(info.bmHeight);
    std::vector<BYTE> pixels(header.biSizeImage);
    HDC screen = GetDC(nullptr);
    const int lines = GetDIBits(screen, bitmap, 0, static_cast<UINT>(info.bmHeight), pixels.data(),
                                reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (lines != info.bmHeight) return false;

    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof(file) + sizeof(header);
    file.bfSize = file.bfOffBits + header.biSizeImage;

    const std::wstring target = Widen(path);
    const std::wstring temp = target + L".tmp";
    KernelHandle out{CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (!out) return false;
    HANDLE h = out.Get();
    DWORD written = 0;
    bool ok = WriteFile(h, &file, sizeof(file), &written, nullptr) && written == sizeof(file);
    ok =
        ok && WriteFile(h, &header, sizeof(header), &written, nullptr) && written == sizeof(header);
    ok = ok && WriteFile(h, pixels.data(), header.biSizeImage, &written, nullptr) &&
         written == header.biSizeImage;
    out.Reset();
    if (!ok || !MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileW(temp.c_str());
        return false;
    }
    return true;
}

} // namespace pilotune
