// Values as the settings file holds them. No windows.h here: this also builds natively.
#pragma once
#include <cstdint>
#include <string>

namespace zv {

// Integer text as the settings file holds it: decimal with an optional sign, or hexadecimal after
// "$", "x", "X" or "0x". False for anything else, including values out of the 32-bit range.
bool ParseInt(const std::string &text, int32_t &value);

// True for the ignore marker in any letter case (double-byte characters are never letters).
bool IsIgnoreMarker(const std::string &value);

// The profile API trims blanks around names and values, and a control character (a line end)
// would split the line: texts with them cannot be read back as they were written.
std::string TrimBlanks(const std::string &text); // spaces and tabs at both ends
bool HasControlChar(const std::string &text);
// True when the text can be a key of its own, read back exactly: not empty, no blank at either
// end, no control character, no "=", and no "[" or ";" at its start (those lines would read
// back as a section or a comment).
bool IsStorableKey(const std::string &key);

} // namespace zv
