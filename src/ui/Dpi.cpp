// The screen's scale, asked of the system.
#include "Dpi.h"

namespace zv {
namespace {

template <class F> F User32(const char *name) {
    return reinterpret_cast<F>(
        reinterpret_cast<void *>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

} // namespace

int DpiOf(HWND window) {
    static const auto forWindow = User32<UINT(WINAPI *)(HWND)>("GetDpiForWindow");
    if (forWindow && window) {
        if (const UINT dpi = forWindow(window)) return static_cast<int>(dpi);
    }
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

SIZE FrameSize(SIZE client, DWORD style, DWORD exStyle, int dpi) {
    static const auto forDpi =
        User32<BOOL(WINAPI *)(LPRECT, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
    RECT r{0, 0, client.cx, client.cy};
    if (!forDpi || !forDpi(&r, style, FALSE, exStyle, static_cast<UINT>(dpi)))
        AdjustWindowRectEx(&r, style, FALSE, exStyle); // at the system's DPI
    return SIZE{r.right - r.left, r.bottom - r.top};
}

void ScaleNonClient(HWND window) {
    static const auto enable = User32<BOOL(WINAPI *)(HWND)>("EnableNonClientDpiScaling");
    if (enable) enable(window);
}

} // namespace zv
