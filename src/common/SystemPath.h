// Paths as the system resolves them.
#pragma once
#include <string>

#include "Handles.h"

namespace zv {

// GetFullPathNameA; empty when the path cannot be resolved.
std::string FullPath(const std::string &path);
std::wstring FullPath(const std::wstring &path); // GetFullPathNameW
// One UTF-16 path in two letter cases.
bool SamePath(const std::wstring &a, const std::wstring &b);
// Opened to be looked at: no access asked for (so a file another program holds open without
// sharing opens too), every sharing, links followed, folders too. Invalid when it cannot be opened.
KernelHandle OpenToLook(const std::wstring &path);
// The final path of what a handle holds open ("\\?\T:\in"), after every link; empty when the
// system does not say.
std::wstring FinalPathOf(void *handle);
// The same without the "\\?\" prefix ("\\?\UNC\server\share" as "\\server\share").
std::wstring PlainFinalPathOf(void *handle);
// The system's own name of what a handle holds open ("\??\T:\in" under Wine,
// "\Device\HarddiskVolume3\in" on Windows): one question to the system where the final path asks
// two. Only for comparing with other names it gave.
std::wstring ObjectNameOf(void *handle);
// The executable's own full path.
std::string ExePath();
// Byte-wise equal after lstrcmpiA: one path spelled in two letter cases.
bool SamePath(const std::string &a, const std::string &b);

} // namespace zv
