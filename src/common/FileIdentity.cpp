// Which file a path leads to.
#include "FileIdentity.h"

#include <windows.h>

#include <cstring>

#include "CodePage.h"
#include "Handles.h"
#include "SystemPath.h"

namespace zv {
namespace {

// FILE_ID_INFO and FileIdInfo (18), which the Windows 7 headers leave out.
struct FileIdInfo {
    ULONGLONG VolumeSerialNumber;
    BYTE Identifier[16];
};
const auto kFileIdInfo = static_cast<FILE_INFO_BY_HANDLE_CLASS>(18);

// NtQueryInformationFile, which kernel32 offers no wrapper of for this class.
struct IoStatus {
    union {
        LONG Status;
        void *Pointer;
    };
    ULONG_PTR Information;
};
using QueryFile = LONG(WINAPI *)(HANDLE, IoStatus *, void *, ULONG, int);
const int kFileInternalInformation = 6;

} // namespace

unsigned long long FileIndexOf(void *handle) {
    static const QueryFile query = reinterpret_cast<QueryFile>(reinterpret_cast<void *>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationFile")));
    IoStatus io{};
    LARGE_INTEGER index{};
    if (!query || query(handle, &io, &index, sizeof index, kFileInternalInformation) < 0) return 0;
    return static_cast<unsigned long long>(index.QuadPart);
}

bool FileIdentity::operator==(const FileIdentity &o) const {
    return volume == o.volume && std::memcmp(id, o.id, sizeof id) == 0;
}

bool IdentityOf(const DualText &path, FileIdentity &identity) {
    identity = FileIdentity();
    if (path.empty()) return false;
    KernelHandle file = OpenToLook(path.wide);
    return file.valid() && IdentityOfHandle(file.get(), identity);
}

bool IdentityOfHandle(void *handle, FileIdentity &identity) {
    identity = FileIdentity();
    // The 128-bit identity (Windows 8 and later, and Wine, which gives the Unix device and inode
    // there); the older 64-bit one otherwise.
    FileIdInfo info{};
    if (GetFileInformationByHandleEx(handle, kFileIdInfo, &info, sizeof info)) {
        identity.volume = info.VolumeSerialNumber;
        static_assert(sizeof info.Identifier == sizeof identity.id, "128-bit file id");
        std::memcpy(identity.id, info.Identifier, sizeof identity.id);
        return true;
    }
    BY_HANDLE_FILE_INFORMATION bi{};
    if (!GetFileInformationByHandle(handle, &bi)) return false;
    identity.volume = bi.dwVolumeSerialNumber;
    std::memcpy(identity.id, &bi.nFileIndexLow, sizeof bi.nFileIndexLow);
    std::memcpy(identity.id + 4, &bi.nFileIndexHigh, sizeof bi.nFileIndexHigh);
    return true;
}

} // namespace zv
