// Whole characters of Shift-JIS text: a double-byte character is one character, and its trail
// byte (which may be 0x5C, a backslash) is never taken for a character of its own. No windows.h
// here: this layer also builds and runs natively.
#pragma once
#include <string>

namespace zv {

// True when c opens a double-byte character in the system code page. The Windows build asks the
// system (IsDBCSLeadByte); the native build knows code page 932.
bool IsLeadByte(unsigned char c);

// Length in bytes of the character that starts at s[i] (1 or 2; 1 for a lone lead byte at the end).
inline size_t CharLen(const std::string &s, size_t i) {
    return (IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) ? 2 : 1;
}

// The one whole-character search: offset of the first character at or after from (the start of a
// character) that is one of the single bytes in chars, or npos.
size_t FindChar(const std::string &s, const char *chars, size_t from = 0);
// Offset of the last such character of s, or npos.
size_t LastDelimiter(const std::string &s, const char *chars);
// Offset at which the last character of s starts, or npos for an empty s.
size_t LastCharStart(const std::string &s);

// The first n bytes of s (or all of it), never ending in the first half of a double-byte
// character: a lead byte whose trail byte is cut off, or missing, is dropped.
std::string CutWhole(const std::string &s, size_t n);

// Letters a..z raised to capitals; double-byte characters untouched.
std::string UpperAZ(const std::string &s);

} // namespace zv
