// Which file a path leads to, whatever the spelling.
#pragma once
#include <string>

namespace zv {

// The same for every spelling of the path, for another drive letter of the same folder and for a
// link to it (links are followed).
struct FileIdentity {
    unsigned long long volume = 0;
    unsigned char id[16] = {};
    bool operator==(const FileIdentity &o) const;
};
// False when the path cannot be opened.
bool IdentityOf(const std::string &path, FileIdentity &identity);

} // namespace zv
