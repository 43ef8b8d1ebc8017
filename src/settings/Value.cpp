// Values as the settings file holds them.
#include "Value.h"

#include "../common/ShiftJis.h"
#include "Keys.h"

namespace zv {
namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool ParseHex(const std::string &t, size_t i, int32_t &value) {
    if (i == t.size()) return false;
    uint64_t v = 0;
    for (; i < t.size(); ++i) {
        int d = HexDigit(t[i]);
        if (d < 0) return false;
        v = v * 16 + static_cast<uint64_t>(d);
        if (v > 0xFFFFFFFFull) return false;
    }
    value = static_cast<int32_t>(static_cast<uint32_t>(v));
    return true;
}

bool ParseDecimal(const std::string &t, size_t i, int32_t &value) {
    bool negative = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
        negative = t[i] == '-';
        ++i;
    }
    if (i == t.size()) return false;
    int64_t v = 0;
    for (; i < t.size(); ++i) {
        if (t[i] < '0' || t[i] > '9') return false;
        v = v * 10 + (t[i] - '0');
        if (v > 2147483648LL) return false;
    }
    if (negative) v = -v;
    if (v > 2147483647LL) return false;
    value = static_cast<int32_t>(v);
    return true;
}

} // namespace

bool ParseInt(const std::string &text, int32_t &value) {
    std::string t = text;
    if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) t = "$" + t.substr(2);
    size_t i = t.find_first_not_of(' ');
    if (i == std::string::npos) return false;
    if (t[i] == '$' || t[i] == 'x' || t[i] == 'X') return ParseHex(t, i + 1, value);
    return ParseDecimal(t, i, value);
}

bool IsIgnoreMarker(const std::string &value) { return UpperAZ(value) == kIgnoreMarker; }

// Byte by byte: no byte of a double-byte character is a blank or a control character.
namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
} // namespace

std::string TrimBlanks(const std::string &text) {
    size_t begin = 0, end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

bool HasControlChar(const std::string &text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return true;
    return false;
}

bool IsStorableKey(const std::string &key) {
    return !key.empty() && !IsBlank(key.front()) && !IsBlank(key.back()) && !HasControlChar(key) &&
           key[0] != '[' && key[0] != ';' && FindChar(key, "=") == std::string::npos;
}

} // namespace zv
