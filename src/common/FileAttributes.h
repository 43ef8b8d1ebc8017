// What stands at a path: a folder, a file, or nothing.
#pragma once
#include <windows.h>

#include <string>

namespace zv {

// GetFileAttributesA, with INVALID_FILE_ATTRIBUTES for a path that names nothing.
inline DWORD Attributes(const std::string &path) { return GetFileAttributesA(path.c_str()); }
inline bool DirectoryExists(const std::string &path) {
    DWORD a = Attributes(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}
inline bool FileExists(const std::string &path) {
    DWORD a = Attributes(path);
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace zv
