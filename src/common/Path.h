// Paths as text: folder and name parts, the trailing backslash, the extension, quoting. Whole
// characters throughout (ShiftJis.h). No windows.h here: this layer also builds natively.
#pragma once
#include <string>

namespace zv {

bool EndsWithBackslash(const std::string &s);
std::string IncludeTrailingBackslash(const std::string &s); // drops a dangling lead byte
std::string ExcludeTrailingBackslash(const std::string &s); // one backslash at most
std::string ExtractFileName(const std::string &path);       // after the last '\' or ':'
std::string ExtractFilePath(const std::string &path);       // up to and including it

// A drive letter, A to Z in either case (a byte of a path or a UTF-16 unit).
inline bool IsDriveLetter(unsigned c) { return (c | 0x20) >= 'a' && (c | 0x20) <= 'z'; }

// folder + '\' (unless it ends in one) + name.
inline std::string PathIn(const std::string &folder, const std::string &name) {
    return IncludeTrailingBackslash(folder) + name;
}

// The extension with its dot (".gz"), or empty when the last of '.', '\', ':' is not a dot.
std::string ExtensionWithDot(const std::string &path);
std::string RemoveDots(const std::string &s);
// The key under which rules for the file are stored: the extension without any dot.
inline std::string ExtensionKey(const std::string &path) {
    return RemoveDots(ExtensionWithDot(path));
}

// True when a part of the path between separators ("\\" or "/"), other than "." and "..", ends in
// "." or a blank: the system's path rules drop those, so the path would name another item.
bool HasPartEndingInDotOrBlank(const std::string &path);

// A path that begins with a double quote becomes the text up to the next single quote, a doubled
// quote inside counting as one; a path without it, or with an empty quoted text, stays as it is.
std::string Unquote(const std::string &s);

} // namespace zv
