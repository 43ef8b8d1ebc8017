// GDI objects and device contexts, each released when it goes out of scope.
#pragma once
#include <windows.h>

#include "../common/Handles.h"

namespace zv {

// A font, bitmap or other object that DeleteObject frees.
template <class T> struct GdiObjectTraits {
    using Type = T;
    static T None() { return nullptr; }
    static bool Valid(T h) { return h != nullptr; }
    static void Close(T h) { DeleteObject(h); }
};
using Font = Unique<GdiObjectTraits<HFONT>>;
using Bitmap = Unique<GdiObjectTraits<HBITMAP>>;

// A memory device context (CreateCompatibleDC): DeleteDC.
struct MemoryDcTraits {
    using Type = HDC;
    static HDC None() { return nullptr; }
    static bool Valid(HDC h) { return h != nullptr; }
    static void Close(HDC h) { DeleteDC(h); }
};
using MemoryDc = Unique<MemoryDcTraits>;

// A window's device context (GetDC), released to the window when it goes out of scope.
class WindowDc {
  public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc &) = delete;
    WindowDc &operator=(const WindowDc &) = delete;
    HDC get() const { return dc_; }

  private:
    HWND window_;
    HDC dc_;
};

// An object selected into a device context for as long as it lives; then the one it replaced
// is selected again.
class Selected {
  public:
    Selected(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~Selected() { SelectObject(dc_, old_); }
    Selected(const Selected &) = delete;
    Selected &operator=(const Selected &) = delete;

  private:
    HDC dc_;
    HGDIOBJ old_;
};

} // namespace zv
