// The common controls' subclassing and initialisation, from the system's comctl32.
#include "Subclass.h"

#include "../common/SystemLibrary.h"

namespace zv {
namespace {

template <class F> F Comctl(const char *name) { return SystemCall<F>(L"comctl32.dll", name); }

} // namespace

void Subclass(HWND window, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data) {
    static const auto call =
        Comctl<BOOL(WINAPI *)(HWND, SUBCLASSPROC, UINT_PTR, DWORD_PTR)>("SetWindowSubclass");
    call(window, proc, id, data);
}

void Unsubclass(HWND window, SUBCLASSPROC proc, UINT_PTR id) {
    static const auto call =
        Comctl<BOOL(WINAPI *)(HWND, SUBCLASSPROC, UINT_PTR)>("RemoveWindowSubclass");
    call(window, proc, id);
}

LRESULT DefSubclass(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
    static const auto call =
        Comctl<LRESULT(WINAPI *)(HWND, UINT, WPARAM, LPARAM)>("DefSubclassProc");
    return call(window, msg, wp, lp);
}

void InitCommonControlClasses(DWORD classes) {
    static const auto call =
        Comctl<BOOL(WINAPI *)(const INITCOMMONCONTROLSEX *)>("InitCommonControlsEx");
    INITCOMMONCONTROLSEX icc{sizeof icc, classes};
    call(&icc);
}

} // namespace zv
