// The see-through bar on a real window: a striped "desktop" window behind a
// small bar that paints itself the way the control bar does (window colour,
// background picture, then white text). PILOTUNE_HOLD_MS keeps each state on
// screen that long, for screenshots.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>

#include "PumpUntil.h"
#include "base/EncodingWin32.h"
#include "system/BackgroundWin32.h"

using namespace pilotune;
using namespace pilotune::testing;

namespace {

constexpr COLORREF kDesktopColour = RGB(30, 110, 200);
BarBackground* g_background = nullptr;
Element* g_image = nullptr;

void Fill(HDC dc, RECT r, COLORREF colour) {
    HBRUSH b = CreateSolidBrush(colour);
    FillRect(dc, &r, b);
    DeleteObject(b);
}

LRESULT CALLBACK DesktopProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(w, &ps);
        RECT r;
        GetClientRect(w, &r);
        Fill(dc, r, kDesktopColour);
        for (int x = 0; x < r.right; x += 80)
            Fill(dc, {x, 0, x + 20, r.bottom}, RGB(240, 200, 40));
        EndPaint(w, &ps);
        return 0;
    }
    return DefWindowProcW(w, m, wp, lp);
}

LRESULT CALLBACK BarProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_ERASEBKGND) return 1;
    if (m == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(w, &ps);
        RECT r;
        GetClientRect(w, &r);
        Fill(dc, r, g_background->WindowColour());
        if (g_image) g_background->Draw(dc, *g_image);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(255, 255, 255));
        TextOutW(dc, 10, 5, L"1. Artiste - Titre  0:42", 24);
        EndPaint(w, &ps);
        return 0;
    }
    return DefWindowProcW(w, m, wp, lp);
}

class BackgroundWindow : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        HINSTANCE inst = GetModuleHandleW(nullptr);
        WNDCLASSW wc{};
        wc.hInstance = inst;
        wc.lpfnWndProc = DesktopProc;
        wc.lpszClassName = L"PilotuneFauxBureau";
        RegisterClassW(&wc);
        wc.lpfnWndProc = BarProc;
        wc.lpszClassName = L"PilotuneFausseBarre";
        RegisterClassW(&wc);
        // The desktop repaints itself on its own thread, as another program would.
        HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        desktopThread = std::thread([inst, ready] {
            desktopThreadId = GetCurrentThreadId();
            desktop = CreateWindowExW(0, L"PilotuneFauxBureau", L"", WS_POPUP | WS_VISIBLE, 0, 0,
                                      1024, 768, nullptr, nullptr, inst, nullptr);
            UpdateWindow(desktop);
            SetEvent(ready);
            MSG msg;
            while (GetMessageW(&msg, nullptr, 0, 0) > 0)
                DispatchMessageW(&msg);
        });
        WaitForSingleObject(ready, 5000);
        CloseHandle(ready);
        bar = CreateWindowExW(WS_EX_TOOLWINDOW, L"PilotuneFausseBarre", L"", WS_POPUP | WS_VISIBLE,
                              200, 600, 400, 30, nullptr, nullptr, inst, nullptr);
        SetWindowPos(bar, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        Pump(300);
    }
    static void TearDownTestSuite() {
        DestroyWindow(bar);
        PostMessageW(desktop, WM_CLOSE, 0, 0);
        PostThreadMessageW(desktopThreadId, WM_QUIT, 0, 0);
        desktopThread.join();
    }
    void SetUp() override {
        // A loaded test machine repaints the desktop under the bar more slowly.
        background.captureDelayMs = 300;
        image.name = "imgFond";
        image.kind = ElementKind::Picture;
        image.bounds = {0, 0, 400, 30};
        g_background = &background;
        g_image = &image;
        DeleteFileW(Widen(background.FilePath()).c_str());
    }
    void TearDown() override {
        DeleteFileW(Widen(background.FilePath()).c_str());
        g_image = nullptr;
        g_background = nullptr;
    }
    // Applies the transparency and waits for the capture it may start.
    void Apply(int percent) {
        background.ApplyTransparency(bar, image, percent);
        ASSERT_TRUE(PumpUntil([&] { return !background.Capturing(); }, 5000));
        if (const char* hold = std::getenv("PILOTUNE_HOLD_MS")) Pump(std::atoi(hold));
    }
    bool Saved() {
        return GetFileAttributesW(Widen(background.FilePath()).c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    bool Layered() { return (GetWindowLongW(bar, GWL_EXSTYLE) & WS_EX_LAYERED) != 0; }
    // Colour of the picture at (x, y) of the bar.
    COLORREF PictureAt(int x, int y) {
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, background.Bitmap());
        const COLORREF c = GetPixel(dc, x, y);
        SelectObject(dc, old);
        DeleteDC(dc);
        return c;
    }

    static inline HWND desktop = nullptr, bar = nullptr;
    static inline std::thread desktopThread;
    static inline DWORD desktopThreadId = 0;
    BarBackground background;
    Element image;
};

TEST_F(BackgroundWindow, HalfTakesThePictureUnderTheBarAndMakesItTranslucent) {
    Apply(50);
    ASSERT_TRUE(Saved());
    BITMAP info{};
    GetObjectW(background.Bitmap(), sizeof(info), &info);
    EXPECT_EQ(info.bmWidth, 400);
    EXPECT_EQ(info.bmHeight, 30);
    // The desktop under the bar was copied, not the bar itself (bar x 200..600:
    // stripes at 240..260, plain at 300).
    EXPECT_EQ(PictureAt(100, 10), kDesktopColour);
    EXPECT_EQ(PictureAt(45, 10), RGB(240, 200, 40));
    EXPECT_TRUE(IsWindowVisible(bar));
    EXPECT_TRUE(image.visible);
    EXPECT_TRUE(Layered());
    BYTE alpha = 0;
    DWORD flags = 0;
    COLORREF key = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(bar, &key, &alpha, &flags));
    EXPECT_EQ(alpha, 127);
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA));
    EXPECT_EQ(background.WindowColour(), RGB(253, 253, 253));

    // A damaged picture file is taken again, not trusted.
    HANDLE h = CreateFileW(Widen(background.FilePath()).c_str(), GENERIC_WRITE, 0, nullptr,
                           CREATE_ALWAYS, 0, nullptr);
    DWORD n = 0;
    WriteFile(h, "BMabîmé", 8, &n, nullptr);
    CloseHandle(h);
    // The capture does not hold up this thread: the call returns before the
    // copy is made, the bar hidden meanwhile.
    background.Load(bar);
    EXPECT_TRUE(background.Capturing());
    EXPECT_FALSE(IsWindowVisible(bar));
    ASSERT_TRUE(PumpUntil([&] { return !background.Capturing(); }, 5000));
    EXPECT_TRUE(IsWindowVisible(bar));
    GetObjectW(background.Bitmap(), sizeof(info), &info);
    EXPECT_EQ(info.bmWidth, 400);
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExW(Widen(background.FilePath()).c_str(), GetFileExInfoStandard, &data);
    EXPECT_GT(data.nFileSizeLow, 400u * 30u * 3u);
}

TEST_F(BackgroundWindow, FullKeysTheBarColourOutOpaqueUsesTheSavedPictureAndNoLayer) {
    Apply(100);
    EXPECT_FALSE(Saved()); // no picture needed
    EXPECT_FALSE(image.visible);
    EXPECT_TRUE(Layered());
    BYTE alpha = 0;
    DWORD flags = 0;
    COLORREF key = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(bar, &key, &alpha, &flags));
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_COLORKEY));
    EXPECT_EQ(key, RGB(253, 253, 253));
    Apply(88);
    EXPECT_FALSE(image.visible);
    Apply(87);
    EXPECT_TRUE(image.visible);
    ASSERT_TRUE(GetLayeredWindowAttributes(bar, &key, &alpha, &flags));
    EXPECT_EQ(alpha, 33);
    EXPECT_TRUE(Saved());

    // Opaque: a picture saved earlier is used as it is, without a new capture.
    HBITMAP small = CreateBitmap(2, 2, 1, 32, nullptr);
    ASSERT_TRUE(SaveBitmapFile(small, background.FilePath()));
    DeleteObject(small);
    Apply(0);
    EXPECT_FALSE(Layered());
    EXPECT_TRUE(image.visible);
    BITMAP info{};
    GetObjectW(background.Bitmap(), sizeof(info), &info);
    EXPECT_EQ(info.bmWidth, 2);
    EXPECT_EQ(GetWindowLongW(bar, GWL_EXSTYLE) & WS_EX_TOPMOST, WS_EX_TOPMOST);
}

} // namespace
