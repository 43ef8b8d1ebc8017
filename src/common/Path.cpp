// Paths as text, whole characters throughout.
#include "Path.h"

#include "ShiftJis.h"

namespace zv {

bool EndsWithBackslash(const std::string &s) {
    return !s.empty() && LastDelimiter(s, "\\") == s.size() - 1;
}

std::string IncludeTrailingBackslash(const std::string &s) {
    if (EndsWithBackslash(s)) return s;
    // A lone lead byte at the end (no file's name ends in one) would take the backslash for its
    // trail byte: it is dropped, so that the path does end in a backslash.
    return CutWhole(s, s.size()) + '\\';
}

std::string ExcludeTrailingBackslash(const std::string &s) {
    return EndsWithBackslash(s) ? s.substr(0, s.size() - 1) : s;
}

std::string ExtractFileName(const std::string &path) {
    size_t i = LastDelimiter(path, "\\:");
    return i == std::string::npos ? path : path.substr(i + 1);
}

std::string ExtractFilePath(const std::string &path) {
    size_t i = LastDelimiter(path, "\\:");
    return i == std::string::npos ? std::string() : path.substr(0, i + 1);
}

std::string ExtensionWithDot(const std::string &path) {
    size_t i = LastDelimiter(path, ".\\:");
    return (i != std::string::npos && path[i] == '.') ? path.substr(i) : std::string();
}

std::string RemoveDots(const std::string &s) {
    std::string out;
    out.reserve(s.size());
    size_t start = 0;
    for (size_t dot = FindChar(s, "."); dot != std::string::npos; dot = FindChar(s, ".", start)) {
        out.append(s, start, dot - start);
        start = dot + 1;
    }
    return out.append(s, start, std::string::npos);
}

bool HasPartEndingInDotOrBlank(const std::string &path) {
    for (size_t start = 0; start <= path.size();) {
        size_t end = FindChar(path, "\\/", start);
        if (end == std::string::npos) end = path.size();
        const std::string part = path.substr(start, end - start);
        if (part != "." && part != ".." && !part.empty() &&
            LastDelimiter(part, ". ") == part.size() - 1)
            return true;
        start = end + 1;
    }
    return false;
}

std::string Unquote(const std::string &s) {
    if (s.empty() || s[0] != '"') return s;
    std::string out;
    for (size_t i = 1; i < s.size();) {
        size_t quote = FindChar(s, "\"", i);
        if (quote == std::string::npos) quote = s.size();
        out.append(s, i, quote - i);
        if (quote + 1 >= s.size() || s[quote + 1] != '"') break;
        out += '"'; // a doubled quote is one
        i = quote + 2;
    }
    return out.empty() ? s : out;
}

} // namespace zv
