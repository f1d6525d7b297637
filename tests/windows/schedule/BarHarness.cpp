#include "BarHarness.h"

#include <vector>

namespace pilotune::testing {

void HarnessServices::ProgrammePlayback(bool f, const std::string& n) {
    h_.programmes.Lecture(f, n);
}
void HarnessServices::ProgrammeRecording(bool f) {
    h_.programmes.Enregistre(f);
}
void HarnessServices::ProgrammeNext() {
    h_.programmes.ProgrammeNext();
}
void HarnessServices::ProgrammeStep(bool c) {
    h_.programmes.ProgrammeStep(c);
}
int HarnessServices::ScheduleEntryCount() {
    return h_.plan.ListLimit();
}
void HarnessServices::ScheduleRearm(int index) {
    h_.plan.RearmEntry(index);
}
void HarnessServices::ScheduleCancel() {
    h_.plan.Cancel();
}
void HarnessServices::ScheduleCancelAll() {
    h_.plan.CancelAll();
}
void HarnessServices::ScheduleEvaluate(bool tick) {
    h_.plan.Evaluate(tick);
}
void HarnessServices::ScheduleUpdateInfo() {
    ShowInfo(h_.plan.UpdateInfo(), h_.bar.state.twins.info);
}

LRESULT HarnessWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_TIMER:
        if (wParam == kTick) h_.bar.monitor.Tick();
        if (wParam == kSchedule) {
            h_.plan.Evaluate(true);
            ShowInfo(h_.plan.UpdateInfo(), h_.bar.state.twins.info);
        }
        InvalidateRect(Handle(), nullptr, FALSE);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Handle(), &ps);
        RECT area{};
        GetClientRect(Handle(), &area);
        painter_.PaintBuffered(dc, area, RGB(40, 60, 90), h_.bar.state.scene);
        EndPaint(Handle(), &ps);
        return 0;
    }
    default:
        return Window::HandleMessage(msg, wParam, lParam);
    }
}

bool BarHarness::Screenshot(const std::string& name) {
    RedrawWindow(window.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    RECT r{};
    GetWindowRect(window.Handle(), &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    SelectObject(memory, old);
    const int stride = ((w * 3 + 3) / 4) * 4;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info.bmiHeader);
    file.bfSize = file.bfOffBits + static_cast<DWORD>(stride * h);
    const std::filesystem::path path = ini.parent_path() / (name + ".bmp");
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof(info.bmiHeader));
    out.write(static_cast<const char*>(bits), stride * h);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return out.good();
}

} // namespace pilotune::testing
