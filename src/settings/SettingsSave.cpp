// The one way the settings file is written.
//
// Under Wine the profile API rewrites the whole file on each write and ignores write errors: on a
// full disk it leaves the file cut where the disk ran out. So the change is made on a copy, the
// copy is read back under a name that the profile API has never cached, and every section and key
// is compared with what was meant; the file is replaced only then, and only when no other program
// wrote it meanwhile.
#include "SettingsSave.h"

#include <windows.h>

#include <algorithm>

#include "../common/Buffer.h"
#include "../common/CodePage.h"
#include "../common/Error.h"
#include "../common/FileAttributes.h"
#include "../common/Format.h"
#include "../common/Handles.h"
#include "../common/Path.h"
#include "../common/SystemPath.h"

namespace zv {
namespace {

const DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
using Lines = std::vector<std::string>;

// The whole file: true with its bytes, or with exists false when there is none; false when it
// exists but cannot be read (held by another program, a folder at the path, no folder at all).
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

bool WriteAll(HANDLE h, const std::string &bytes) {
    for (size_t done = 0; done < bytes.size();) {
        DWORD put = 0;
        const DWORD ask = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1 << 20));
        if (!WriteFile(h, bytes.data() + done, ask, &put, nullptr) || put != ask) return false;
        done += put;
    }
    return true;
}

// A name for a file of our own beside the settings file, no longer than the file's own name: it
// fits wherever the settings file's path fits, however near the path limit its folder is.
std::string ScratchPath(const std::string &target) {
    static unsigned long long state =
        GetTickCount64() ^ (GetCurrentProcessId() * 0x9E3779B97F4A7C15ull);
    const size_t length = std::max<size_t>(ExtractFileName(target).size(), 5);
    std::string name = "~";
    while (name.size() < length) {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        name += "0123456789abcdef"[state & 15];
    }
    return ExtractFilePath(target) + name;
}

// Wine's profile API parses a file again on every call while its time stamp is less than about two
// seconds old (it might still change within the stamp's grain). A copy of our own whose content is
// settled is dated back while it is read, so that it is parsed once; it is dated now before it
// takes the settings file's place.
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

// A file of our own, removed when it goes unless it took the settings file's place.
class Scratch {
  public:
    ~Scratch() {
        if (!path_.empty()) DeleteFileA(path_.c_str());
    }
    const std::string &path() const { return path_; }
    // A new file beside target holding bytes.
    bool Create(const std::string &target, const std::string &bytes) {
        for (int attempt = 0; attempt < 100; ++attempt) {
            const std::string path = ScratchPath(target);
            KernelHandle h(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
            if (!h.valid()) {
                if (GetLastError() == ERROR_FILE_EXISTS) continue;
                return false;
            }
            path_ = path;
            return WriteAll(h.get(), bytes);
        }
        return false;
    }
    // Gives the file a new name that the profile API has never seen, so that what it reads next
    // comes from the disk and not from a copy it keeps.
    bool Rename() {
        for (int attempt = 0; attempt < 100; ++attempt) {
            const std::string path = ScratchPath(path_);
            if (MoveFileExA(path_.c_str(), path.c_str(), 0)) {
                path_ = path;
                return true;
            }
            if (GetLastError() != ERROR_ALREADY_EXISTS && GetLastError() != ERROR_FILE_EXISTS)
                return false;
        }
        return false;
    }
    // Puts the file in target's place; it is no longer ours to remove.
    bool Replace(const std::string &target, bool exists) {
        const DWORD flags = (exists ? MOVEFILE_REPLACE_EXISTING : 0) | MOVEFILE_WRITE_THROUGH;
        // Another program reading the file at this instant holds it open without sharing its
        // deletion: such a moment passes.
        for (int attempt = 0; !MoveFileExA(path_.c_str(), target.c_str(), flags); ++attempt) {
            if (attempt == 10 || GetLastError() != ERROR_SHARING_VIOLATION) return false;
            Sleep(20);
        }
        path_.clear();
        return true;
    }

  private:
    std::string path_;
};

// Where a save writes: the file that a link at path leads to, else path itself. A link stays a
// link, and its file's folder takes the copy.
std::string WriteTarget(const std::string &path) {
    KernelHandle h(CreateFileA(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                               FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!h.valid()) return path;
    // Too small a buffer gives the size needed, the final NUL counted.
    std::wstring final = ReadGrowing<wchar_t>(
        [&](wchar_t *buf, size_t size) {
            return GetFinalPathNameByHandleW(h.get(), buf, static_cast<DWORD>(size), 0);
        },
        0, MAX_PATH + 1);
    if (final.compare(0, 8, L"\\\\?\\UNC\\") == 0)
        final = L"\\\\" + final.substr(8);
    else if (final.compare(0, 4, L"\\\\?\\") == 0)
        final = final.substr(4);
    std::string target;
    if (final.empty() || !ToAnsiExact(final, target) || SamePath(target, FullPath(path)))
        return path;
    return target;
}

DWORD LinkCount(const std::string &path) {
    KernelHandle h(CreateFileA(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                               FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    return h.valid() && GetFileInformationByHandle(h.get(), &info) ? info.nNumberOfLinks : 1;
}

// Writes bytes over a file that has more names than one, which a new file in its place would
// part from the others; on failure the bytes it held go back where they stood.
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

SettingsNow::Sections SectionsOf(const std::string &file) {
    SettingsNow::Sections sections;
    for (const std::string &name : SectionNames(file))
        sections.emplace_back(name, SectionList(file, name.c_str()));
    return sections;
}

const SettingsChange::Section *Replaced(const SettingsChange &c, const std::string &name) {
    for (const auto &s : c.sections)
        if (SameKey(s.name, name)) return &s;
    return nullptr;
}

// True when the replaced sections already stand last in the file, in the change's order, each
// once and spelt as the change spells it: written in place, they then give the bytes that erasing
// them and writing them anew at the end gives.
bool AlreadyLast(const SettingsChange &c, const SettingsNow &before) {
    const auto &held = before.All();
    if (c.sections.size() > held.size()) return false;
    const size_t first = held.size() - c.sections.size();
    for (size_t i = 0; i < held.size(); ++i) {
        const SettingsChange::Section *s = Replaced(c, held[i].first);
        if ((i < first) != (s == nullptr)) return false;
        if (s && (s->name != held[i].first || s != &c.sections[i - first] || s->entries.empty()))
            return false;
    }
    return true;
}

// Makes the change on file through the profile API. False when a call refused it; a call that
// succeeded proves nothing (Wine's ignore write errors).
bool Apply(const SettingsChange &c, const std::string &file, const SettingsNow &before) {
    bool ok = true;
    const bool inPlace = AlreadyLast(c, before);
    for (const auto &s : c.sections) {
        // A hand-edited file may hold a section twice: one erase removes one of them.
        for (const auto &held : before.All())
            if (!inPlace && SameKey(held.first, s.name))
                ok = WritePrivateProfileStringA(s.name.c_str(), nullptr, nullptr, file.c_str()) &&
                     ok;
        if (!s.entries.empty())
            ok = WritePrivateProfileSectionA(s.name.c_str(), ListOf(s.entries).c_str(),
                                             file.c_str()) &&
                 ok;
    }
    for (const auto &k : c.keys)
        ok = WritePrivateProfileStringA(k.section.c_str(), k.key.c_str(), k.value.c_str(),
                                        file.c_str()) &&
             ok;
    // The flush returns FALSE on Wine whatever happened.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str());
    return ok;
}

// The name of a key line, or the whole line for one without "=".
std::string KeyOfLine(const std::string &line) { return line.substr(0, line.find('=')); }

// True when file holds exactly what the change was to make of before: replaced sections hold
// their keys in order, set keys their values, and everything else is as it was.
bool Holds(const std::string &file, const SettingsNow &before, const SettingsChange &c) {
    const SettingsNow::Sections after = SectionsOf(file);
    std::vector<std::wstring> expected, found;
    for (const auto &s : before.All())
        if (!Replaced(c, s.first)) expected.push_back(NameIdentity(s.first));
    for (const auto &s : c.sections)
        if (!s.entries.empty()) expected.push_back(NameIdentity(s.name));
    for (const auto &k : c.keys)
        if (std::find(expected.begin(), expected.end(), NameIdentity(k.section)) == expected.end())
            expected.push_back(NameIdentity(k.section));
    for (const auto &s : after) found.push_back(NameIdentity(s.first));
    std::sort(expected.begin(), expected.end());
    std::sort(found.begin(), found.end());
    if (expected != found) return false;

    for (const auto &s : after) {
        if (const SettingsChange::Section *whole = Replaced(c, s.first)) {
            if (s.second != ListOf(whole->entries)) return false;
            continue;
        }
        std::string was;
        for (const auto &b : before.All())
            if (SameKey(b.first, s.first)) {
                was = b.second;
                break;
            }
        Entries set; // the keys set here, the last value of each
        for (const auto &k : c.keys)
            if (SameKey(k.section, s.first)) set.push_back({k.key, k.value});
        if (set.empty()) {
            if (s.second != was) return false;
            continue;
        }
        set = Deduplicated(set);
        auto others = [&](const std::string &list) {
            Lines out;
            for (const std::string &l : SplitList(list)) {
                bool isSet = false;
                for (const Entry &e : set) isSet = isSet || SameKey(KeyOfLine(l), e.key);
                if (!isSet) out.push_back(l);
            }
            return out;
        };
        if (others(s.second) != others(was)) return false;
        const Entries keys = KeysOf(s.second, Duplicates::FirstWins);
        for (const Entry &e : set)
            if (std::find_if(keys.begin(), keys.end(), [&](const Entry &k) {
                    return SameKey(k.key, e.key) && k.value == e.value;
                }) == keys.end())
                return false;
    }
    return true;
}

} // namespace

std::string SettingsNow::List(const std::string &section) const {
    for (const auto &s : sections_)
        if (SameKey(s.first, section)) return s.second;
    return std::string();
}

void SaveSettings(const std::function<SettingsChange(const SettingsNow &)> &change,
                  const std::string &path) {
    const Error failure(Format("%s に書き込めません", path));
    const std::string target = WriteTarget(path);
    for (int attempt = 0; attempt < 3; ++attempt) {
        std::string before;
        bool exists = false;
        if (!ReadWhole(target, before, exists)) throw failure;
        // Saves replace the file; a read-only one must refuse them, as a write to it does.
        if (exists && (GetFileAttributesA(target.c_str()) & FILE_ATTRIBUTE_READONLY)) throw failure;
        Scratch copy;
        if (!copy.Create(target, before) || !Date(copy.path(), 60)) throw failure;
        const SettingsNow now(SectionsOf(copy.path()), exists);
        const SettingsChange c = change(now);
        if (c.empty()) return;
        if (!Apply(c, copy.path(), now) || !copy.Rename() || !Date(copy.path(), 60) ||
            !Holds(copy.path(), now, c) || !Date(copy.path(), 0))
            throw failure;
        // A file the writer finished ends in a line end: a cut one may read the same all the same.
        std::string made, again;
        bool madeExists = false, stillExists = false;
        if (!ReadWhole(copy.path(), made, madeExists) ||
            (!made.empty() && made.compare(made.size() - std::min<size_t>(made.size(), 2),
                                           std::string::npos, "\r\n") != 0))
            throw failure;
        // Written meanwhile by another program: the change is made again on what it wrote.
        if (!ReadWhole(target, again, stillExists)) throw failure;
        if (stillExists != exists || again != before) continue;
        if (exists && LinkCount(target) > 1) {
            if (!Overwrite(target, made, before)) throw failure;
        } else if (!copy.Replace(target, exists)) {
            if (!exists && Attributes(target) != INVALID_FILE_ATTRIBUTES) continue;
            throw failure;
        }
        return;
    }
    throw failure;
}

void SaveSettings(const SettingsChange &change, const std::string &path) {
    SaveSettings([&](const SettingsNow &) { return change; }, path);
}

void WriteDefaultSettings(const std::string &baseDir) {
    const std::string base = ExcludeTrailingBackslash(baseDir);
    SaveSettings([&](const SettingsNow &now) {
        SettingsChange c;
        if (now.Exists()) return c; // one there already, perhaps from another start
        for (const Entry &e : Entries{{kMoveFolder, kNewMoveFolder ? "1" : "0"},
                                      {kMoveFolderPath, base},
                                      {kMoveNoExt, std::to_string(static_cast<int>(kNewMoveNoExt))},
                                      {kMoveNoExtPath, base},
                                      {kBaseDir, base}})
            c.keys.push_back({kOption, e.key, e.value});
        return c;
    });
}

} // namespace zv
