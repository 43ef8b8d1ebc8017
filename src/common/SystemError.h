// Errors that the system reports as codes, turned into the program's one error type.
#pragma once
#include <windows.h>

#include <string>

namespace zv {

// The system's message text for an error code, without its line end.
std::string SystemMessage(DWORD code);
// Raises Error with that text. Pass GetLastError() only right after the call that set it.
[[noreturn]] void RaiseSystemError(DWORD code);

} // namespace zv
