// Whole-character text and path helpers for Shift-JIS strings, and the other pure rules of the
// program. No windows.h here: this layer also builds and runs natively.
#pragma once
#include <cstdint>
#include <string>

namespace zv {

// True when c opens a double-byte character in the system code page. The Windows build asks the
// system (IsDBCSLeadByte); the native test build knows code page 932.
bool IsLeadByte(unsigned char c);

// Length in bytes of the character that starts at s[i] (1 or 2; 1 for a lone lead byte at the end).
inline size_t CharLen(const std::string &s, size_t i) {
    return (IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) ? 2 : 1;
}

// Offset of the last character of s that is one of delims, or npos. A trail byte is never taken
// for a delimiter.
size_t LastDelimiter(const std::string &s, const char *delims);

bool EndsWithBackslash(const std::string &s);
std::string IncludeTrailingBackslash(const std::string &s); // drops a dangling lead byte
std::string ExcludeTrailingBackslash(const std::string &s); // one backslash at most
std::string ExtractFileName(const std::string &path);       // after the last '\' or ':'
std::string ExtractFilePath(const std::string &path);       // up to and including it

// The extension with its dot (".gz"), or empty when the last of '.', '\', ':' is not a dot.
std::string ExtensionWithDot(const std::string &path);
std::string RemoveDots(const std::string &s);
// The key under which rules for the file are stored: the extension without any dot.
inline std::string ExtensionKey(const std::string &path) { return RemoveDots(ExtensionWithDot(path)); }

// A path that begins with a double quote becomes the text up to the next single quote, a doubled
// quote inside counting as one; a path without it, or with an empty quoted text, stays as it is.
std::string Unquote(const std::string &s);

// Integer text as the settings file holds it: decimal with an optional sign, or hexadecimal after
// "$", "x", "X" or "0x". False for anything else, including values out of the 32-bit range.
bool ParseInt(const std::string &text, int32_t &value);

// Letters a..z raised to capitals; double-byte characters untouched.
std::string UpperAZ(const std::string &s);
inline bool IsIgnoreMarker(const std::string &value) { return UpperAZ(value) == "NULL"; }

// The first n bytes of s (or all of it), never ending in the first half of a double-byte
// character: a lead byte whose trail byte is cut off, or missing, is dropped.
std::string CutWhole(const std::string &s, size_t n);

// What the sorting run does with one entry.
enum class Outcome { Stay, MoveToRule, MoveToNoExtPath, AskRule, AskFolder };
Outcome DecideNoExtension(int32_t moveNoExt);
Outcome DecideWithExtension(const std::string &ruleFolder, const std::string &ignoreMarker,
                            int32_t moveNoExt);

// folder + '\' (unless it ends in one) + name.
inline std::string PathIn(const std::string &folder, const std::string &name) {
    return IncludeTrailingBackslash(folder) + name;
}

// True when a part of the path between separators ("\\" or "/"), other than "." and "..", ends in
// "." or a blank: the system's path rules drop those, so the path would name another item.
bool HasPartEndingInDotOrBlank(const std::string &path);

// The question for a file without extension.
std::string NoExtensionPrompt(const std::string &fileName);

// Replaces the first "%s" in format with arg.
std::string Format(const std::string &format, const std::string &arg);

} // namespace zv
