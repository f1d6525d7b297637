// KEYBOARD.DLL: the hook library of the legacy keyboard mode. InitialisationHook
// starts watching the keyboard for one receiver window; every key event is sent
// to it as a WM_COPYDATA record of two 32-bit values (the virtual-key code, then
// the keystroke flags laid out as the lParam of WM_KEYDOWN / WM_KEYUP). A
// receiver answering 1 has the key discarded. FinalisationHook stops.
#include <windows.h>

#include <cstdint>

namespace {

HMODULE g_module = nullptr;
HHOOK g_hook = nullptr;
HWND g_receiver = nullptr;
bool g_down[256] = {}; // keys seen down, for the previous-state bit

// How long a receiver that stopped answering may hold up a key.
constexpr UINT kReceiverTimeoutMs = 200;

std::uint32_t KeystrokeFlags(const KBDLLHOOKSTRUCT& k, bool up) {
    const std::uint32_t vk = k.vkCode & 0xFF;
    std::uint32_t flags = 1;            // repeat count
    flags |= (k.scanCode & 0xFF) << 16; // scan code
    if (k.flags & LLKHF_EXTENDED) flags |= 1u << 24;
    if (k.flags & LLKHF_ALTDOWN) flags |= 1u << 29;
    if (up || g_down[vk]) flags |= 1u << 30; // previous key state
    if (up) flags |= 1u << 31;               // transition state
    g_down[vk] = !up;
    return flags;
}

LRESULT CALLBACK KeyboardProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && g_receiver) {
        const auto& k = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        const bool up = (k.flags & LLKHF_UP) != 0;
        std::uint32_t record[2] = {k.vkCode, KeystrokeFlags(k, up)};
        COPYDATASTRUCT data{0, sizeof record, record};
        DWORD_PTR answer = 0;
        if (SendMessageTimeoutW(g_receiver, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                                SMTO_ABORTIFHUNG, kReceiverTimeoutMs, &answer) &&
            answer == 1)
            return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

extern "C" BOOLEAN WINAPI InitialisationHook(HWND receiver) {
    if (!receiver || !IsWindow(receiver)) return FALSE;
    g_receiver = receiver;
    if (!g_hook) {
        for (bool& d : g_down)
            d = false;
        g_hook = SetWindowsHookExW(WH_KEYBOARD_LL, KeyboardProc, g_module, 0);
    }
    return g_hook != nullptr;
}

extern "C" void WINAPI FinalisationHook() {
    if (g_hook) UnhookWindowsHookEx(g_hook);
    g_hook = nullptr;
    g_receiver = nullptr;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}
