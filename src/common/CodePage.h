// Texts between UTF-16 and the system code page.
#pragma once
#include <string>

namespace zv {

// A UTF-16 text in the system code page. The system's own conversion maps what the code page
// lacks to look-alikes ("é" to "e", "¥" to a backslash): here nothing is mapped by likeness, and
// the result is false when any character has no exact counterpart. ansi then holds the text with
// each such character as "?", for showing only.
bool ToAnsiExact(const std::wstring &wide, std::string &ansi);
std::wstring ToWide(const std::string &ansi);

} // namespace zv
