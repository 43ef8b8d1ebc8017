// Sections of the settings file as the profile API reads them whole.
#pragma once
#include <string>
#include <vector>

#include "Merge.h"

namespace zv {

// The section names of the file; empty when it is missing.
std::vector<std::string> SectionNames(const std::string &path);
// The lines of a section as the profile API lists them ("key=value", or a line without "=";
// no comments, no blank lines), each followed by a NUL; empty when the file or section is
// missing.
std::string SectionList(const std::string &path, const char *section);

} // namespace zv
