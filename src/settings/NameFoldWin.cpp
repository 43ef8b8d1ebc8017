// The identity of a key or section name as the system's profile API matches names.
#include "Merge.h"

#include <windows.h>

#include "../common/CodePage.h"

namespace zv {

std::wstring FoldNonAscii(const std::string &name) {
    std::wstring wide = ToWide(name);
    if (!wide.empty()) CharUpperBuffW(&wide[0], static_cast<DWORD>(wide.size()));
    return wide;
}

} // namespace zv
