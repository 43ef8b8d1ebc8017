// The files a save of the settings file works with.
#include "ScratchFile.h"

#include <algorithm>

#include "../common/CodePage.h"
#include "../common/Handles.h"
#include "../common/Path.h"
#include "../common/ShiftJis.h"
#include "../common/SystemPath.h"

namespace zv {
namespace {

const DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

bool WriteAll(HANDLE h, const std::string &bytes) {
    for (size_t done = 0; done < bytes.size();) {
        DWORD put = 0;
        const DWORD ask = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1 << 20));
        if (!WriteFile(h, bytes.data() + done, ask, &put, nullptr) || put != ask) return false;
        done += put;
    }
    return true;
}

// The names of the copies a save of the settings file makes beside it: "~", hex digits, and three
// more that a digest of those and of the settings file's name gives, as long as that name (ten
// characters at least). A copy fits wherever the settings file's path fits, however near the path
// limit its folder is, and a file of the user's is never taken for one.
const char kHex[] = "0123456789abcdef";
std::string Digest(const std::string &digits, const std::string &target) {
    unsigned h = 2166136261u; // FNV-1a
    for (char c : digits + "|" + UpperAZ(ExtractFileName(target)))
        h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
    return {kHex[(h >> 8) & 15], kHex[(h >> 4) & 15], kHex[h & 15]};
}
size_t ScratchLength(const std::string &target) {
    return std::max<size_t>(ExtractFileName(target).size(), 10);
}
bool IsScratchName(const std::string &name, const std::string &target) {
    if (name.size() != ScratchLength(target) || name[0] != '~' ||
        name.find_first_not_of(kHex, 1) != std::string::npos)
        return false;
    return name.compare(name.size() - 3, 3, Digest(name.substr(1, name.size() - 4), target)) == 0;
}

} // namespace

std::string ScratchPath(const std::string &target) {
    static unsigned long long state =
        GetTickCount64() ^ (GetCurrentProcessId() * 0x9E3779B97F4A7C15ull);
    std::string digits;
    while (digits.size() + 4 < ScratchLength(target)) {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        digits += kHex[state & 15];
    }
    return ExtractFilePath(target) + "~" + digits + Digest(digits, target);
}
bool ReadWhole(const std::string &path, std::string &bytes, bool &exists) {
    bytes.clear();
    exists = false;
    KernelHandle h(
        CreateFileA(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!h.valid()) return GetLastError() == ERROR_FILE_NOT_FOUND;
    exists = true;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(h.get(), &size) || size.QuadPart > (1 << 30)) return false;
    bytes.resize(static_cast<size_t>(size.QuadPart));
    for (size_t done = 0; done < bytes.size();) {
        DWORD got = 0;
        const DWORD ask = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1 << 20));
        if (!ReadFile(h.get(), &bytes[done], ask, &got, nullptr) || got == 0) return false;
        done += got;
    }
    return true;
}

// Wine's profile API parses a file again on every call while its time stamp is less than about two
// seconds old (it might still change within the stamp's grain). A copy of our own whose content is
// settled is dated back while it is read, so that it is parsed once; it is dated now before it
// takes the settings file's place. Where the profile API keeps no such rule (Windows) this is
// harmless: the copy is a file no one else reads under a name no one else knows, and the settings
// file it becomes bears the time of the save, as a file written in place would.
bool Date(const std::string &path, LONGLONG ago) {
    FILETIME t;
    GetSystemTimeAsFileTime(&t);
    ULARGE_INTEGER u{{t.dwLowDateTime, t.dwHighDateTime}};
    u.QuadPart -= static_cast<ULONGLONG>(ago) * 10000000;
    t = {u.LowPart, u.HighPart};
    KernelHandle h(CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, kShareAll, nullptr,
                               OPEN_EXISTING, 0, nullptr));
    return h.valid() && SetFileTime(h.get(), nullptr, nullptr, &t);
}

Scratch::~Scratch() {
    hold_.reset();
    if (!path_.empty()) DeleteFileA(path_.c_str());
}

bool Scratch::Create(const std::string &target, const std::string &bytes) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string path = ScratchPath(target);
        // Held open for reading while it is ours, sharing everything: a save that finds it
        // cannot take it for one that was left (CleanScratch).
        KernelHandle h(CreateFileA(path.c_str(), GENERIC_READ, kShareAll, nullptr, CREATE_NEW,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!h.valid()) {
            if (GetLastError() == ERROR_FILE_EXISTS) continue;
            return false;
        }
        path_ = path;
        target_ = target;
        hold_ = std::move(h);
        return Write(bytes);
    }
    return false;
}

bool Scratch::Write(const std::string &bytes) {
    KernelHandle h(
        CreateFileA(path_.c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr));
    return h.valid() && SetFilePointer(h.get(), 0, nullptr, FILE_BEGIN) == 0 &&
           WriteAll(h.get(), bytes) && SetEndOfFile(h.get()) && FlushFileBuffers(h.get());
}

bool Scratch::Rename() {
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string path = ScratchPath(target_);
        if (MoveFileExA(path_.c_str(), path.c_str(), 0)) {
            path_ = path;
            return true;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS && GetLastError() != ERROR_FILE_EXISTS)
            return false;
    }
    return false;
}

bool Scratch::Replace(const std::string &target, bool exists) {
    const DWORD flags = (exists ? MOVEFILE_REPLACE_EXISTING : 0) | MOVEFILE_WRITE_THROUGH;
    // Another program reading the file at this instant holds it open, and a file in use is not
    // replaced: the replace fails as a sharing violation, or as access denied where the reader
    // shares the file's deletion (and under Wine, for every reader: the profile API's own reads
    // in another instance). Such a moment passes.
    for (int attempt = 0; !MoveFileExA(path_.c_str(), target.c_str(), flags); ++attempt) {
        const DWORD code = GetLastError();
        if (attempt == 10 || (code != ERROR_SHARING_VIOLATION && code != ERROR_ACCESS_DENIED))
            return false;
        Sleep(20);
    }
    hold_.reset(); // it is the settings file now
    path_.clear();
    return true;
}

void CleanScratch(const std::string &target) {
    WIN32_FIND_DATAA fd;
    FindHandle find(FindFirstFileA((ExtractFilePath(target) + "~*").c_str(), &fd));
    if (!find.valid()) return;
    do {
        if ((fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
            !IsScratchName(fd.cFileName, target))
            continue;
        // Opened only where no save holds it open for reading (Scratch::Create), and removed as
        // it closes.
        const std::string path = ExtractFilePath(target) + fd.cFileName;
        KernelHandle left(CreateFileA(path.c_str(), DELETE, FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    } while (FindNextFileA(find.get(), &fd));
}

std::string MakeThroughLink(const std::string &path) {
    // Windows shows the link itself; under Wine its name opens as nothing, yet cannot be made.
    const DWORD attributes = GetFileAttributesA(path.c_str());
    bool link =
        attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
    if (attributes == INVALID_FILE_ATTRIBUTES && GetLastError() == ERROR_FILE_NOT_FOUND) {
        // Shared with no one: while the probe stands, nothing else can write to it.
        KernelHandle probe(CreateFileA(path.c_str(), GENERIC_READ | DELETE, 0, nullptr, CREATE_NEW,
                                       FILE_FLAG_DELETE_ON_CLOSE, nullptr));
        link = !probe.valid() && GetLastError() == ERROR_FILE_EXISTS;
    }
    if (!link) return std::string();
    KernelHandle made(CreateFileA(path.c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    std::string target;
    if (!made.valid() || !ToAnsiExact(PlainFinalPathOf(made.get()), target)) return std::string();
    return target;
}

std::string WriteTarget(const std::string &path) {
    KernelHandle h = OpenToLook(ToWide(path));
    if (!h.valid()) return path;
    const std::wstring final = PlainFinalPathOf(h.get());
    std::string target;
    if (final.empty() || !ToAnsiExact(final, target) || SamePath(target, FullPath(path)))
        return path;
    return target;
}

DWORD LinkCount(const std::string &path) {
    KernelHandle h = OpenToLook(ToWide(path));
    BY_HANDLE_FILE_INFORMATION info{};
    return h.valid() && GetFileInformationByHandle(h.get(), &info) ? info.nNumberOfLinks : 1;
}

bool Overwrite(const std::string &path, const std::string &bytes, const std::string &before) {
    KernelHandle h(
        CreateFileA(path.c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!h.valid()) return false;
    auto put = [&](const std::string &b) {
        return SetFilePointer(h.get(), 0, nullptr, FILE_BEGIN) == 0 && WriteAll(h.get(), b) &&
               SetEndOfFile(h.get()) && FlushFileBuffers(h.get());
    };
    if (put(bytes)) return true;
    put(before);
    return false;
}

} // namespace zv
