// The DLLs the program calls that Windows does not keep among its KnownDLLs: never imported, so
// that the loader never looks for them beside the program (a portable program's folder is one a
// web page can drop a file into), but loaded from the system's folder when first needed, each
// function looked up once.
#pragma once
#include <windows.h>

#include <string>

namespace zv {

// The process looks for DLLs in the system's folder only, the program's folder and the current
// one left out: first thing, before any window or COM.
void SearchSystemFolderOnly();

// A function of a system DLL (L"comctl32.dll", ...). A DLL or function the system lacks raises
// "<DLL> に <function> がありません" (or, where optional, gives null).
void *SystemFunction(const wchar_t *dll, const char *name, bool optional = false);
template <class F> F SystemCall(const wchar_t *dll, const char *name, bool optional = false) {
    return reinterpret_cast<F>(SystemFunction(dll, name, optional));
}

} // namespace zv
