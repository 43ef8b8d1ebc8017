// Whole sections through the profile API.
#include "Sections.h"

#include <windows.h>

#include <algorithm>

#include "../common/Buffer.h"

namespace zv {
namespace {

// A list of zero-terminated strings that ends in an empty one, as the profile API returns them
// for the file at path; a cut list returns size - 2 or more, and the buffer grows until it fits.
// It starts as large as the file: a list never holds more than the file's lines, and each call
// builds the whole list again.
template <class Call> std::string List(const std::string &path, Call call) {
    WIN32_FILE_ATTRIBUTE_DATA file{};
    size_t first = 16384;
    if (GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &file) && !file.nFileSizeHigh)
        first = std::max<size_t>(first, file.nFileSizeLow + 16);
    return ReadGrowing<char>(call, 2, first); // the count takes in the NUL of the last entry
}

} // namespace

std::vector<std::string> SectionNames(const std::string &path) {
    return SplitList(List(path, [&](char *buf, size_t size) {
        return GetPrivateProfileSectionNamesA(buf, static_cast<DWORD>(size), path.c_str());
    }));
}

std::string SectionList(const std::string &path, const char *section) {
    return List(path, [&](char *buf, size_t size) {
        return GetPrivateProfileSectionA(section, buf, static_cast<DWORD>(size), path.c_str());
    });
}

} // namespace zv
