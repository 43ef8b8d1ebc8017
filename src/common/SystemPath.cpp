// Paths as the system resolves them.
#include "SystemPath.h"

#include <windows.h>

#include <vector>

#include "Buffer.h"
#include "SystemError.h"

namespace zv {

std::string FullPath(const std::string &path) {
    // Too small a buffer gives the size needed, the final NUL counted.
    return ReadGrowing<char>(
        [&](char *buf, size_t size) {
            return GetFullPathNameA(path.c_str(), static_cast<DWORD>(size), buf, nullptr);
        },
        0, MAX_PATH + 1);
}

std::wstring FullPath(const std::wstring &path) {
    return ReadGrowing<wchar_t>(
        [&](wchar_t *buf, size_t size) {
            return GetFullPathNameW(path.c_str(), static_cast<DWORD>(size), buf, nullptr);
        },
        0, MAX_PATH + 1);
}

bool SamePath(const std::wstring &a, const std::wstring &b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

KernelHandle OpenToLook(const std::wstring &path) {
    return KernelHandle(CreateFileW(path.c_str(), 0,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

std::wstring FinalPathOf(void *handle) {
    // Too small a buffer gives the size needed, the final NUL counted.
    return ReadGrowing<wchar_t>(
        [&](wchar_t *buf, size_t size) {
            return GetFinalPathNameByHandleW(handle, buf, static_cast<DWORD>(size), 0);
        },
        0, MAX_PATH + 1);
}

std::wstring PlainFinalPathOf(void *handle) {
    const std::wstring final = FinalPathOf(handle);
    if (final.compare(0, 8, L"\\\\?\\UNC\\") == 0) return L"\\\\" + final.substr(8);
    if (final.compare(0, 4, L"\\\\?\\") == 0) return final.substr(4);
    return final;
}

std::wstring ObjectNameOf(void *handle) {
    // NtQueryObject's ObjectNameInformation: a UNICODE_STRING and the name after it.
    struct Name {
        USHORT length, maximum;
        wchar_t *buffer;
    };
    using QueryObject = LONG(WINAPI *)(HANDLE, int, void *, ULONG, ULONG *);
    static const QueryObject query = reinterpret_cast<QueryObject>(
        reinterpret_cast<void *>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryObject")));
    if (!query) return std::wstring();
    std::vector<unsigned char> buffer(sizeof(Name) + 1024 * sizeof(wchar_t));
    for (int tries = 0; tries < 2; ++tries) {
        ULONG needed = 0;
        const LONG status =
            query(handle, 1, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
        if (status >= 0) {
            const Name *name = reinterpret_cast<const Name *>(buffer.data());
            return name->buffer ? std::wstring(name->buffer, name->length / sizeof(wchar_t))
                                : std::wstring();
        }
        if (needed <= buffer.size()) break;
        buffer.resize(needed);
    }
    return std::wstring();
}

std::string ExePath() {
    // Asked for per dropped file; the loader's record of the path never changes while it runs.
    static const std::string path = [] {
        DWORD error = 0;
        // Too small a buffer gives a text cut to its size.
        std::string p = ReadGrowing<char>(
            [&](char *buf, size_t size) {
                DWORD n = GetModuleFileNameA(nullptr, buf, static_cast<DWORD>(size));
                if (n == 0) error = GetLastError();
                return n;
            },
            1, MAX_PATH + 1);
        if (p.empty()) RaiseSystemError(error);
        return p;
    }();
    return path;
}

bool SamePath(const std::string &a, const std::string &b) {
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

} // namespace zv
