#pragma once
// One owner type for every kind of Windows handle: it frees what it holds
// exactly once, moves, and never copies.
#include <windows.h>

#include <utility>

namespace pilotune {

template <class T, class Traits> class UniqueHandle {
  public:
    UniqueHandle() = default;
    explicit UniqueHandle(T value) : value_(value) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : value_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    ~UniqueHandle() { Reset(); }

    T Get() const { return value_; }
    explicit operator bool() const { return Traits::Valid(value_); }
    T Release() { return std::exchange(value_, Traits::Empty()); }
    void Reset(T value = Traits::Empty()) {
        if (Traits::Valid(value_)) Traits::Free(value_);
        value_ = value;
    }

  private:
    T value_ = Traits::Empty();
};

namespace handle_traits {
template <class T, auto FreeFn> struct Simple {
    static constexpr T Empty() { return T{}; }
    static bool Valid(T v) { return v != T{}; }
    static void Free(T v) { FreeFn(v); }
};
struct Kernel {
    static HANDLE Empty() { return nullptr; }
    static bool Valid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Free(HANDLE h) { CloseHandle(h); }
};
template <class T> struct Gdi {
    static constexpr T Empty() { return nullptr; }
    static bool Valid(T v) { return v != nullptr; }
    static void Free(T v) { DeleteObject(v); }
};
} // namespace handle_traits

// Files, processes, threads, events, mutexes, tokens (null and
// INVALID_HANDLE_VALUE both mean none).
using KernelHandle = UniqueHandle<HANDLE, handle_traits::Kernel>;
// Fonts, brushes, pens, bitmaps.
template <class T> using GdiObject = UniqueHandle<T, handle_traits::Gdi<T>>;
using FontHandle = GdiObject<HFONT>;
using BitmapHandle = GdiObject<HBITMAP>;
using BrushHandle = GdiObject<HBRUSH>;
using MemoryDc = UniqueHandle<HDC, handle_traits::Simple<HDC, DeleteDC>>;
using MenuHandle = UniqueHandle<HMENU, handle_traits::Simple<HMENU, DestroyMenu>>;
using IconHandle = UniqueHandle<HICON, handle_traits::Simple<HICON, DestroyIcon>>;
using HookHandle = UniqueHandle<HHOOK, handle_traits::Simple<HHOOK, UnhookWindowsHookEx>>;
using ModuleHandle = UniqueHandle<HMODULE, handle_traits::Simple<HMODULE, FreeLibrary>>;
using GlobalAtom = UniqueHandle<ATOM, handle_traits::Simple<ATOM, GlobalDeleteAtom>>;

} // namespace pilotune
