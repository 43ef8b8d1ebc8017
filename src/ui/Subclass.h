// A control's own messages seen before it handles them: the common controls' subclassing, called
// in the system's comctl32 (SystemLibrary.h).
#pragma once
#include <windows.h>

#include <commctrl.h>

namespace zv {

void Subclass(HWND window, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data);
void Unsubclass(HWND window, SUBCLASSPROC proc, UINT_PTR id);
LRESULT DefSubclass(HWND window, UINT msg, WPARAM wp, LPARAM lp);
// InitCommonControlsEx: registers the classes of the common controls the windows use.
void InitCommonControlClasses(DWORD classes);

} // namespace zv
