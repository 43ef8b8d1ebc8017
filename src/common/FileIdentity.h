// Which file a path leads to, whatever the spelling.
#pragma once
#include <string>

#include "DualText.h"

namespace zv {

// The same for every spelling of the path, for another drive letter of the same folder and for a
// link to it (links are followed).
struct FileIdentity {
    unsigned long long volume = 0;
    unsigned char id[16] = {};
    bool operator==(const FileIdentity &o) const;
};
// False when the path cannot be opened.
bool IdentityOf(const DualText &path, FileIdentity &identity);
// The identity of what a handle holds open (any access); false when the system does not say.
bool IdentityOfHandle(void *handle, FileIdentity &identity);
// The file's number on its volume alone (NtQueryInformationFile's FileInternalInformation): one
// look at the open file, where the whole identity also asks the volume (under Wine a round trip
// to its mount manager). Equal numbers are worth comparing identities for; 0 when unknown.
unsigned long long FileIndexOf(void *handle);

} // namespace zv
