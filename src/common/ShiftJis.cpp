// Whole characters of Shift-JIS text.
#include "ShiftJis.h"

#include <algorithm>
#include <cstring>

namespace zv {
namespace {

bool IsOneOf(const std::string &s, size_t i, const char *chars) {
    return CharLen(s, i) == 1 && s[i] != '\0' && std::strchr(chars, s[i]) != nullptr;
}

} // namespace

size_t FindChar(const std::string &s, const char *chars, size_t from) {
    for (size_t i = from; i < s.size(); i += CharLen(s, i))
        if (IsOneOf(s, i, chars)) return i;
    return std::string::npos;
}

size_t LastDelimiter(const std::string &s, const char *chars) {
    size_t found = std::string::npos;
    for (size_t i = 0; i < s.size(); i += CharLen(s, i))
        if (IsOneOf(s, i, chars)) found = i;
    return found;
}

size_t LastCharStart(const std::string &s) {
    size_t last = std::string::npos;
    for (size_t i = 0; i < s.size(); i += CharLen(s, i)) last = i;
    return last;
}

std::string CutWhole(const std::string &s, size_t n) {
    n = std::min(n, s.size());
    size_t i = 0;
    while (i < n) {
        size_t len = IsLeadByte(static_cast<unsigned char>(s[i])) ? 2 : 1;
        if (i + len > n) break;
        i += len;
    }
    return s.substr(0, i);
}

std::string UpperAZ(const std::string &s) {
    std::string out = s;
    for (size_t i = 0; i < out.size(); i += CharLen(out, i))
        if (CharLen(out, i) == 1 && out[i] >= 'a' && out[i] <= 'z')
            out[i] = static_cast<char>(out[i] - 'a' + 'A');
    return out;
}

} // namespace zv
