// Texts between UTF-16 and the system code page.
#include "CodePage.h"

#include <windows.h>

namespace zv {

bool ToAnsiExact(const std::wstring &wide, std::string &ansi) {
    ansi.clear();
    if (wide.empty()) return true;
    const int len = static_cast<int>(wide.size());
    BOOL usedDefault = FALSE;
    int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), len, nullptr, 0, nullptr,
                                &usedDefault);
    if (n <= 0) return false;
    ansi.assign(static_cast<size_t>(n), '\0');
    n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), len, &ansi[0], n, nullptr,
                            &usedDefault);
    if (n <= 0) return false;
    ansi.resize(static_cast<size_t>(n));
    // The flag alone is not enough everywhere: the text must also come back as it went in.
    return !usedDefault && ToWide(ansi) == wide;
}

std::wstring ToWide(const std::string &ansi) {
    if (ansi.empty()) return std::wstring();
    const int len = static_cast<int>(ansi.size());
    int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), len, nullptr, 0);
    if (n <= 0) return std::wstring();
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), len, &wide[0], n);
    return wide;
}

} // namespace zv
