#include "ui/SubclassWin32.h"

#include <algorithm>
#include <memory>
#include <unordered_map>
#include <vector>

namespace pilotune {

namespace {

struct Link {
    SUBCLASSPROC proc; // null once detached while a message was running
    UINT_PTR id;
    DWORD_PTR data;
};

struct Chain {
    WNDPROC original = nullptr;
    std::vector<Link> links; // oldest first: the newest is called first
    int running = 0;         // messages in progress (nested ones included)
    size_t next = 0;         // of the message in progress: links left to call
    bool destroyed = false;  // WM_NCDESTROY came
};

// A window's procedure runs on its own thread: each thread keeps the chains
// of its windows, and no lock is needed.
thread_local std::unordered_map<HWND, std::unique_ptr<Chain>> chains;

LRESULT CALLBACK ChainProc(HWND, UINT, WPARAM, LPARAM);

void Compact(HWND window, Chain& chain) {
    if (chain.running > 0) return;
    std::erase_if(chain.links, [](const Link& l) { return l.proc == nullptr; });
    if (!chain.links.empty()) return;
    // Last link gone: give the window its own procedure back, unless another
    // subclass was put over this one since.
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)) == ChainProc) {
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(chain.original));
        chains.erase(window);
    }
}

// Calls the links from `chain.next` down, then the window's own procedure.
LRESULT CallNext(HWND window, Chain& chain, UINT msg, WPARAM wParam, LPARAM lParam) {
    while (chain.next > 0) {
        const Link link = chain.links[--chain.next];
        if (link.proc) return link.proc(window, msg, wParam, lParam, link.id, link.data);
    }
    return CallWindowProcW(chain.original, window, msg, wParam, lParam);
}

LRESULT CALLBACK ChainProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    const auto found = chains.find(window);
    if (found == chains.end()) return DefWindowProcW(window, msg, wParam, lParam);
    Chain& chain = *found->second; // stays put: the map holds pointers
    const size_t saved = chain.next;
    chain.next = chain.links.size();
    ++chain.running;
    const LRESULT result = CallNext(window, chain, msg, wParam, lParam);
    --chain.running;
    chain.next = saved;
    if (msg == WM_NCDESTROY) chain.destroyed = true;
    if (chain.destroyed) {
        // The window is gone, its links with it, once its last message ends.
        if (chain.running == 0) chains.erase(window);
    } else {
        Compact(window, chain);
    }
    return result;
}

} // namespace

bool AttachSubclass(HWND window, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data) {
    if (!window || !proc || GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId())
        return false;
    auto& chain = chains[window];
    if (!chain) {
        chain = std::make_unique<Chain>();
        chain->original = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ChainProc)));
        if (!chain->original) {
            chains.erase(window);
            return false;
        }
    }
    for (Link& l : chain->links)
        if (l.proc == proc && l.id == id) {
            l.data = data;
            return true;
        }
    chain->links.push_back({proc, id, data});
    return true;
}

bool DetachSubclass(HWND window, SUBCLASSPROC proc, UINT_PTR id) {
    const auto found = chains.find(window);
    if (found == chains.end()) return false;
    Chain& chain = *found->second;
    for (Link& l : chain.links)
        if (l.proc == proc && l.id == id) {
            l.proc = nullptr;
            Compact(window, chain);
            return true;
        }
    return false;
}

LRESULT NextSubclassProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    const auto found = chains.find(window);
    if (found == chains.end() || found->second->running == 0)
        return DefWindowProcW(window, msg, wParam, lParam);
    return CallNext(window, *found->second, msg, wParam, lParam);
}

} // namespace pilotune
