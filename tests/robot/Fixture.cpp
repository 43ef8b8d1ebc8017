// The per-test folder: the fixture, listings of its files, and steady folder times.
#include "robot/Robot.h"

#include <shlobj.h>

#include <algorithm>
#include <cstdlib>

#include "common/Handles.h"
#include "common/Path.h"
#include "common/ShiftJis.h"

namespace zvtest {

namespace {

// Every folder that path (relative, with backslashes) lies in, as a listing names folders.
void AddParents(Listing &listing, const std::string &path) {
    for (size_t i = zv::FindChar(path, "\\"); i != std::string::npos;
         i = zv::FindChar(path, "\\", i + 1))
        listing[path.substr(0, i + 1)] = "<dir>";
}

void Walk(const std::string &folder, const std::string &rel, Listing &out, int depth) {
    for (const FolderEntry &e : ListFolder(folder)) {
        std::string path = folder + e.name;
        if (e.attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
            out[rel + e.name] = "<link>";
        } else if (e.attributes & FILE_ATTRIBUTE_DIRECTORY) {
            out[rel + e.name + "\\"] = "<dir>";
            if (depth < 40) Walk(path + "\\", rel + e.name + "\\", out, depth + 1);
        } else {
            std::string bytes = ReadBytes(path);
            if (bytes.size() > 256) {
                unsigned long long h = 1469598103934665603ull; // FNV-1a
                for (unsigned char c : bytes) h = (h ^ c) * 1099511628211ull;
                bytes =
                    "<" + std::to_string(bytes.size()) + " bytes, fnv " + std::to_string(h) + ">";
            }
            out[rel + e.name] = bytes;
        }
    }
}

FILETIME FileTimeIn(ULONGLONG hundredNs) {
    return FILETIME{static_cast<DWORD>(hundredNs), static_cast<DWORD>(hundredNs >> 32)};
}

// Gives a folder a last change in the past and a last access ahead: reading it then changes
// neither (file systems mounted with relatime update the access time only when it is not after
// the last change of the contents or of the status, or is a day old).
void SteadyTimes(const std::string &folder, bool below) {
    zv::KernelHandle h(CreateFileA(folder.c_str(), FILE_WRITE_ATTRIBUTES,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!h.valid()) return;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const ULONGLONG at = (static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    const ULONGLONG hour = 3600ull * 10000000;
    // The access an hour ahead: setting the times makes the status-change time "now", and an
    // access time not after it would be updated by the next reading all the same.
    const FILETIME accessed = FileTimeIn(at + hour), changed = FileTimeIn(at - 24 * hour);
    SetFileTime(h.get(), nullptr, &accessed, &changed);
    h.reset();
    if (!below) return;
    WIN32_FIND_DATAA fd;
    zv::FindHandle find(FindFirstFileA((zv::IncludeTrailingBackslash(folder) + "*").c_str(), &fd));
    if (!find.valid()) return;
    do {
        const std::string name = fd.cFileName;
        if (name != "." && name != ".." && (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
            !(fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
            SteadyTimes(zv::IncludeTrailingBackslash(folder) + name, true);
    } while (FindNextFileA(find.get(), &fd));
}

} // namespace

// The shell's folder dialog finds the folder it is asked to select by comparing the path's items
// with the items it lists, and Wine's items carry each folder's last access time: a folder whose
// access time changes between the two (its first reading after a change) is not found, and the
// dialog stays on the drive or the desktop. Every folder the program may show in the dialog, and
// each folder above it, gets steady times before the program starts.
void SteadyFolderTimes(const std::string &root) {
    char documents[MAX_PATH + 1] = {};
    std::vector<std::string> folders = {root};
    if (SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, 0, documents)))
        folders.push_back(documents);
    for (const std::string &folder : folders) {
        std::string path = zv::ExcludeTrailingBackslash(folder);
        SteadyTimes(path, path == zv::ExcludeTrailingBackslash(root));
        for (std::string up = zv::ExcludeTrailingBackslash(zv::ExtractFilePath(path));
             up.size() > 3 && up != path;
             up = zv::ExcludeTrailingBackslash(zv::ExtractFilePath(up))) {
            SteadyTimes(up, false);
            path = up;
        }
    }
}

Listing TreeAt(const std::string &folder) {
    Listing out;
    Walk(zv::IncludeTrailingBackslash(folder), "", out, 0);
    return out;
}

void MoveEntry(Listing &listing, const std::string &from, const std::string &to) {
    auto it = listing.find(from);
    ASSERT_TRUE(it != listing.end()) << from << " is not in the listing";
    std::string bytes = it->second;
    listing.erase(it);
    const std::string dest = zv::EndsWithBackslash(to) ? to + zv::ExtractFileName(from) : to;
    AddParents(listing, dest);
    listing[dest] = bytes;
}

std::string TestExeDir() {
    char buf[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, buf, MAX_PATH);
    return zv::ExtractFilePath(buf);
}

void ZorvikTest::SetUp() {
    ASSERT_EQ(932u, GetACP()) << "run under LC_ALL=ja_JP.UTF-8 with the glibc locale present";
    ASSERT_TRUE(IsDir("T:\\")) << "drive T: is not mapped";
    const ::testing::TestInfo *info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "_" + info->name();
    std::replace(name.begin(), name.end(), '/', '_');
    root_ = "T:\\" + name + "\\";
    if (Exists(root_)) RemoveTree(root_);
    ASSERT_FALSE(Exists(root_)) << "cannot remove " << root_;
    MakeDirs(P("app"));
    // The program under test: the shipped 32-bit executable where the test script names it,
    // else the 64-bit build beside the tests.
    const char *shipped = std::getenv("ZORVIK_EXE");
    std::string zorvik = shipped && *shipped ? shipped : TestExeDir() + "..\\Zorvik.exe";
    ASSERT_TRUE(CopyFileA(zorvik.c_str(), ExePath().c_str(), FALSE))
        << zorvik << ": error " << GetLastError();
    ready_ = true;
}

void ZorvikTest::TearDown() {
    if (!ready_) return;
    EXPECT_TRUE(Exists(ExePath())) << "the executable was moved";
    if (iniWritten_ && checkIni_) {
        EXPECT_TRUE(ReadBytes(IniPath()) == iniBytes_) << "settings file changed";
    }
}

std::string ZorvikTest::Expand(const std::string &text) const {
    std::string out = text;
    for (size_t i = out.find("%R"); i != std::string::npos; i = out.find("%R", i + R().size()))
        out.replace(i, 2, R());
    return out;
}

std::string ZorvikTest::Ini(const std::vector<std::string> &lines) const {
    std::string out;
    for (const std::string &l : lines) out += Expand(l) + "\r\n";
    return out;
}

void ZorvikTest::WriteIni(const std::string &bytes) {
    ASSERT_TRUE(WriteBytes(IniPath(), bytes)) << IniPath();
    iniBytes_ = bytes;
    iniWritten_ = true;
}

void ZorvikTest::Make(const std::string &rel, const std::string &bytes) {
    ASSERT_TRUE(WriteBytes(P(rel), bytes)) << P(rel);
}

void ZorvikTest::Make(const std::string &rel) { Make(rel, zv::ExtractFileName(rel)); }

Listing ZorvikTest::Tree(const std::string &rel) const {
    Listing all = TreeAt(P(rel));
    if (rel.empty())
        for (auto it = all.begin(); it != all.end();)
            it = it->first.compare(0, 4, "app\\") == 0 ? all.erase(it) : std::next(it);
    return all;
}

Listing ZorvikTest::Files(const std::map<std::string, std::string> &files) {
    Listing out;
    for (const auto &f : files) {
        out[f.first] = f.second;
        AddParents(out, f.first);
    }
    return out;
}

Listing ZorvikTest::Named(const std::vector<std::string> &files) {
    std::map<std::string, std::string> m;
    for (const std::string &f : files) m[f] = zv::ExtractFileName(f);
    return Files(m);
}

RunResult ZorvikTest::Run(const std::vector<std::string> &args, const std::vector<Answer> &script,
                          RunOptions options) {
    SteadyFolderTimes(root_);
    if (options.exe.empty()) options.exe = ExePath();
    if (options.cwd.empty()) options.cwd = root_;
    return RunProgram(args, script, options);
}

} // namespace zvtest
