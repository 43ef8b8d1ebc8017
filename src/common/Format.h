// Texts with one placeholder, as the program's messages are written.
#pragma once
#include <string>

namespace zv {

// Replaces the first "%s" in format with arg.
inline std::string Format(const std::string &format, const std::string &arg) {
    size_t i = format.find("%s");
    return i == std::string::npos ? format : format.substr(0, i) + arg + format.substr(i + 2);
}

} // namespace zv
