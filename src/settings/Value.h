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

} // namespace zv
