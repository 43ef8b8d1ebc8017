// Whole-character text and path helpers for Shift-JIS strings.
#include "Text.h"

#include <algorithm>
#include <cstring>

namespace zv {

size_t LastDelimiter(const std::string &s, const char *delims) {
    size_t found = std::string::npos;
    for (size_t i = 0; i < s.size(); i += CharLen(s, i)) {
        if (CharLen(s, i) == 1 && s[i] != '\0' && std::strchr(delims, s[i]))
            found = i;
    }
    return found;
}

bool EndsWithBackslash(const std::string &s) {
    return !s.empty() && LastDelimiter(s, "\\") == s.size() - 1;
}

std::string IncludeTrailingBackslash(const std::string &s) {
    if (EndsWithBackslash(s))
        return s;
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
    for (size_t i = 0; i < s.size();) {
        size_t n = CharLen(s, i);
        if (!(n == 1 && s[i] == '.'))
            out.append(s, i, n);
        i += n;
    }
    return out;
}

std::string Unquote(const std::string &s) {
    if (s.empty() || s[0] != '"')
        return s;
    std::string out;
    for (size_t i = 1; i < s.size();) {
        size_t n = CharLen(s, i);
        if (n == 1 && s[i] == '"') {
            if (i + 1 < s.size() && s[i + 1] == '"') {
                out += '"';
                i += 2;
                continue;
            }
            break;
        }
        out.append(s, i, n);
        i += n;
    }
    return out.empty() ? s : out;
}

namespace {
int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}
} // namespace

bool ParseInt(const std::string &text, int32_t &value) {
    std::string t = text;
    if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X'))
        t = "$" + t.substr(2);
    size_t i = 0;
    while (i < t.size() && t[i] == ' ')
        ++i;
    if (i == t.size())
        return false;
    if (t[i] == '$' || t[i] == 'x' || t[i] == 'X') {
        ++i;
        if (i == t.size())
            return false;
        uint64_t v = 0;
        for (; i < t.size(); ++i) {
            int d = HexDigit(t[i]);
            if (d < 0)
                return false;
            v = v * 16 + static_cast<uint64_t>(d);
            if (v > 0xFFFFFFFFull)
                return false;
        }
        value = static_cast<int32_t>(static_cast<uint32_t>(v));
        return true;
    }
    bool negative = false;
    if (t[i] == '+' || t[i] == '-') {
        negative = t[i] == '-';
        ++i;
    }
    if (i == t.size())
        return false;
    int64_t v = 0;
    for (; i < t.size(); ++i) {
        if (t[i] < '0' || t[i] > '9')
            return false;
        v = v * 10 + (t[i] - '0');
        if (v > 2147483648LL)
            return false;
    }
    if (negative)
        v = -v;
    if (v > 2147483647LL)
        return false;
    value = static_cast<int32_t>(v);
    return true;
}

std::string UpperAZ(const std::string &s) {
    std::string out = s;
    for (size_t i = 0; i < out.size(); i += CharLen(out, i)) {
        if (CharLen(out, i) == 1 && out[i] >= 'a' && out[i] <= 'z')
            out[i] = static_cast<char>(out[i] - 'a' + 'A');
    }
    return out;
}

std::string CutWhole(const std::string &s, size_t n) {
    n = std::min(n, s.size());
    size_t i = 0;
    while (i < n) {
        size_t len = IsLeadByte(static_cast<unsigned char>(s[i])) ? 2 : 1;
        if (i + len > n)
            break;
        i += len;
    }
    return s.substr(0, i);
}

Outcome DecideNoExtension(int32_t moveNoExt) {
    switch (moveNoExt) {
    case 0: return Outcome::MoveToNoExtPath;
    case 1: return Outcome::AskFolder;
    default: return Outcome::Stay;
    }
}

Outcome DecideWithExtension(const std::string &ruleFolder, const std::string &ignoreMarker,
                            int32_t moveNoExt) {
    if (IsIgnoreMarker(ignoreMarker))
        return Outcome::Stay;
    if (!ruleFolder.empty())
        return Outcome::MoveToRule;
    switch (moveNoExt) {
    case 0: return Outcome::MoveToNoExtPath;
    case 1: return Outcome::AskRule;
    default: return Outcome::Stay;
    }
}

bool HasPartEndingInDotOrBlank(const std::string &path) {
    size_t start = 0;
    for (size_t i = 0; i <= path.size();) {
        const bool end = i == path.size();
        const size_t n = end ? 1 : CharLen(path, i);
        if (end || (n == 1 && (path[i] == '\\' || path[i] == '/'))) {
            std::string part = path.substr(start, i - start);
            if (part != "." && part != ".." && !part.empty() && LastDelimiter(part, ". ") == part.size() - 1)
                return true;
            start = i + 1;
        }
        i += n;
    }
    return false;
}

std::string NoExtensionPrompt(const std::string &fileName) {
    std::string quoted = "\"";
    for (size_t i = 0; i < fileName.size();) {
        size_t n = CharLen(fileName, i);
        if (n == 1 && fileName[i] == '"')
            quoted += '"';
        quoted.append(fileName, i, n);
        i += n;
    }
    quoted += '"';
    return "ファイルに拡張子がありません。 : " + quoted + "\r" + "移動先フォルダを指定してください。";
}

std::string Format(const std::string &format, const std::string &arg) {
    size_t i = format.find("%s");
    if (i == std::string::npos)
        return format;
    return format.substr(0, i) + arg + format.substr(i + 2);
}

} // namespace zv
