// The screen's scale. The windows are laid out in pixels at 96 DPI and scaled by DPI ÷ 96 where
// the figures are used. The calls for it that came after Windows 7 are looked up when first
// needed, never imported: one missing import and an older system refuses to start the program.
// Wine has every one of these calls and one display of one DPI: the fallbacks (Windows 7 and 8)
// and a second monitor at another scale are what only Windows shows.
#pragma once
#include <windows.h>

namespace zv {

// The DPI a window is shown at: its monitor's where the system tells (Windows 10 1607 on),
// else the screen's.
int DpiOf(HWND window);
inline int Scaled(int pixels, int dpi) { return MulDiv(pixels, dpi, 96); }
// The outer size of a window whose client area is client, at dpi.
SIZE FrameSize(SIZE client, DWORD style, DWORD exStyle, int dpi);
// On WM_NCCREATE: the title bar and frame follow the DPI where the system leaves that to the
// program (per-monitor awareness of Windows 8.1 and 10 before 1703); elsewhere nothing.
void ScaleNonClient(HWND window);

} // namespace zv
