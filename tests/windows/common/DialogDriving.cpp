#include "DialogDriving.h"

#include <climits>
#include <vector>

#include "Simulator.h"
#include "Waiting.h"
#include "base/EncodingWin32.h"
#include "system/BackgroundWin32.h"
#include "ui/WindowTextWin32.h"

namespace pilotune::testing {
namespace {

HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

bool TextFits(HWND control, std::string* why);

} // namespace

int FocusedId(HWND window) {
    HWND focus = FocusOf(window);
    // The edit inside a combo box that takes typing stands for the combo box.
    if (focus && GetParent(focus) != window && GetParent(focus)) {
        wchar_t cls[32] = {};
        GetClassNameW(GetParent(focus), cls, 32);
        if (lstrcmpiW(cls, L"ComboBox") == 0) focus = GetParent(focus);
    }
    return focus ? GetDlgCtrlID(focus) : 0;
}

namespace {
INPUT KeyInput(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return in;
}
} // namespace

void SendKey(WORD vk, bool up) {
    INPUT in = KeyInput(vk, up);
    SendInput(1, &in, sizeof in);
}

void PressKey(WORD vk, bool shift) {
    std::vector<INPUT> keys;
    if (shift) keys.push_back(KeyInput(VK_SHIFT, false));
    keys.push_back(KeyInput(vk, false));
    keys.push_back(KeyInput(vk, true));
    if (shift) keys.push_back(KeyInput(VK_SHIFT, true));
    SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
}

bool MakeForeground(HWND window) {
    SetForegroundWindow(window);
    return WaitFor([&] {
        HWND focus = FocusOf(window);
        return GetForegroundWindow() == window && focus &&
               (focus == window || IsChild(window, focus));
    });
}

std::string ReadMessageBox(HWND box) {
    std::string text;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t cls[16] = {};
        GetClassNameW(child, cls, 16);
        const std::string t = WindowText(child);
        if (lstrcmpiW(cls, L"Static") == 0 && !t.empty()) text += (text.empty() ? "" : "\n") + t;
    }
    return text;
}

std::string ReadAndCloseMessageBox(int ms) {
    std::string text;
    HWND box = nullptr;
    WaitFor(
        [&] {
            box = FindWindowW(L"#32770", nullptr);
            return box && !(text = ReadMessageBox(box)).empty();
        },
        ms);
    if (!text.empty()) PostMessageW(box, WM_COMMAND, IDOK, 0);
    return text;
}

namespace {
bool TextFits(HWND control, std::string* why) {
    const std::wstring text = Widen(WindowText(control));
    if (text.empty() || !IsWindowVisible(control)) return true;
    wchar_t cls[32] = {};
    GetClassNameW(control, cls, 32);
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    RECT client{};
    GetClientRect(control, &client);
    int width = client.right, height = client.bottom;
    UINT format = DT_CALCRECT | DT_NOPREFIX;
    if (lstrcmpiW(cls, L"Static") == 0) {
        if ((style & SS_TYPEMASK) == SS_ICON) return true;
        // As the static draws it: a word longer than a line breaks only with
        // SS_EDITCONTROL, otherwise it runs past the edge.
        format |= DT_WORDBREAK | ((style & SS_EDITCONTROL) ? DT_EDITCONTROL : 0);
    } else if (lstrcmpiW(cls, L"Button") == 0) {
        const LONG type = style & BS_TYPEMASK;
        if (type == BS_GROUPBOX) {
            // the caption runs along the top edge: only its width counts
            height = INT_MAX;
        } else if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON ||
                   type == BS_AUTORADIOBUTTON) {
            width -= GetSystemMetrics(SM_CXMENUCHECK) + 4; // the box and its gap
        } else {
            width -= 2 * (GetSystemMetrics(SM_CXEDGE) + 1); // the button's frame
            height -= 2 * (GetSystemMetrics(SM_CYEDGE) + 1);
        }
        format |= DT_SINGLELINE;
    } else {
        return true;
    }
    HDC dc = GetDC(control);
    HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    RECT need{0, 0, width, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &need, format);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    const bool fits = need.right <= width && need.bottom <= height;
    if (!fits && why)
        *why = "\"" + Narrow(text) + "\" needs " + std::to_string(need.right) + " x " +
               std::to_string(need.bottom) + ", has " + std::to_string(width) + " x " +
               std::to_string(height);
    return fits;
}
} // namespace

std::string ClippedTexts(HWND window) {
    std::string report;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        std::string why;
        if (!TextFits(child, &why)) report += why + "\n";
    }
    return report;
}

bool SaveScreenshot(HWND window, const std::string& path) {
    RECT r{};
    GetWindowRect(window, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return false;
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    // What was painted reaches the screen as the window's thread runs its
    // loop (Wine sends its windows' drawing to the X server from there): a
    // short loop first, or the screen may still show a half-painted window.
    if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) Pump(100);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    const bool saved = SaveBitmapFile(bitmap, path);
    DeleteObject(bitmap);
    return saved;
}

bool SaveWindowBmp(HWND window, const std::string& name) {
    const std::wstring folder = ToWindowsPath(std::string(PILOTUNE_BUILD_DIR) + "/../screenshots");
    CreateDirectoryW(folder.c_str(), nullptr);
    return SaveScreenshot(window, Narrow(folder) + "\\" + name + ".bmp");
}

} // namespace pilotune::testing
