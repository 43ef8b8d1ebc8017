// The one way the settings file is written.
//
// The program writes the file's lines itself (IniText.h): every line a change does not touch
// keeps its bytes. The change is made on a copy beside the file; the copy is read back from the
// disk, and through the profile API under a name it has never cached, and compared with what was
// meant; only then does it take the file's place, and only when no other program wrote the file
// meanwhile. Saves of one file, in any number of instances, are made one at a time.
#include "SettingsSave.h"

#include <windows.h>

#include <algorithm>

#include "../common/DualText.h"
#include "../common/Error.h"
#include "../common/FileAttributes.h"
#include "../common/FileIdentity.h"
#include "../common/Format.h"
#include "../common/Path.h"
#include "../common/SystemPath.h"
#include "IniText.h"
#include "ScratchFile.h"
#include "SettingsCheck.h"

namespace zv {
namespace {

using Lines = std::vector<std::string>;

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

// The name of a key line, or the whole line for one without "=".
std::string KeyOfLine(const std::string &line) { return line.substr(0, line.find('=')); }

// The lines of a section's list that are no key (a line without "="): a save leaves them as
// they were.
Lines NonKeys(const std::string &list) {
    Lines out;
    for (const std::string &l : SplitList(list))
        if (KeysOf(l + '\0', Duplicates::All).empty()) out.push_back(l);
    return out;
}

// True when file holds, as the profile API reads it, exactly what the change was to make of
// before: the sections the lines made hold, replaced ones their keys in order, set keys their
// values, and everything else as it was.
bool Holds(const std::string &file, const SettingsNow &before, const SettingsChange &c,
           const IniLines &lines) {
    const SettingsNow::Sections after = SectionsOf(file);
    std::vector<std::wstring> expected, found;
    for (const std::string &name : lines.Sections()) expected.push_back(NameIdentity(name));
    for (const auto &s : after) found.push_back(NameIdentity(s.first));
    std::sort(expected.begin(), expected.end());
    std::sort(found.begin(), found.end());
    if (expected != found) return false;

    for (const auto &s : after) {
        const std::string was = before.List(s.first);
        if (const SettingsChange::Section *whole = Replaced(c, s.first)) {
            if (KeysOf(s.second, Duplicates::All) != whole->entries ||
                NonKeys(s.second) != NonKeys(was))
                return false;
            continue;
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

// Saves of one settings file, one at a time across every instance of the program: a mutex named
// for the folder the file stands in (one name for every spelling of its path), held from reading
// the file to its replacement. Readers never wait for it.
class SaveLock {
  public:
    explicit SaveLock(const std::string &target) {
        FileIdentity folder;
        std::string name = "Local\\Zorvik.Settings.";
        char hex[3];
        if (IdentityOf(DualText(ExtractFilePath(FullPath(target))), folder)) {
            name += std::to_string(folder.volume) + ".";
            for (unsigned char b : folder.id) {
                std::snprintf(hex, sizeof hex, "%02x", b);
                name += hex;
            }
        } else {
            name += std::to_string(std::hash<std::wstring>()(NameIdentity(FullPath(target))));
        }
        mutex_.reset(CreateMutexA(nullptr, FALSE, name.c_str()));
        // Abandoned: a save stopped on the way; what it left is cleaned up (CleanScratch).
        const DWORD waited =
            mutex_.valid() ? WaitForSingleObject(mutex_.get(), 30000) : WAIT_FAILED;
        owned_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
    }
    ~SaveLock() {
        if (owned_) ReleaseMutex(mutex_.get());
    }
    SaveLock(const SaveLock &) = delete;
    SaveLock &operator=(const SaveLock &) = delete;
    bool owned() const { return owned_; }

  private:
    KernelHandle mutex_;
    bool owned_ = false;
};

// The copy takes the file's place, unless another program wrote the file since before was read
// (false: the save is made again on what it wrote). A file with more names than one is written
// over, which a new file in its place would part from the others.
bool PutInPlace(Scratch &copy, const std::string &target, const std::string &before, bool exists,
                const std::string &made, const Error &failure) {
    std::string again;
    bool stillExists = false;
    if (!ReadWhole(target, again, stillExists)) throw failure;
    if (stillExists != exists || again != before) return false;
    if (exists && LinkCount(target) > 1) {
        if (!Overwrite(target, made, before)) throw failure;
    } else if (!copy.Replace(target, exists)) {
        if (!exists && Attributes(target) != INVALID_FILE_ATTRIBUTES) return false;
        throw failure;
    }
    return true;
}

// A file made through a link that led nowhere, removed again unless the save took its place.
struct MadeThroughLink {
    std::string path;
    bool kept = false;
    ~MadeThroughLink() {
        if (!kept && !path.empty()) DeleteFileA(path.c_str());
    }
};

} // namespace

std::string SettingsNow::List(const std::string &section) const {
    for (const auto &s : sections_)
        if (SameKey(s.first, section)) return s.second;
    return std::string();
}

void SaveSettings(const std::function<SettingsChange(const SettingsNow &)> &change,
                  const std::string &path) {
    const Error failure(Format("%s に書き込めません", path));
    std::string target = WriteTarget(path);
    SaveLock lock(target);
    if (!lock.owned()) throw failure;
    CleanScratch(target);
    // A link that leads nowhere stays a link: the file it leads to is made and written.
    MadeThroughLink made{MakeThroughLink(target)};
    if (!made.path.empty()) target = made.path;
    for (int attempt = 0; attempt < 3; ++attempt) {
        std::string before;
        bool exists = false;
        if (!ReadWhole(target, before, exists)) throw failure;
        RefuseUnwritable(path, before);
        // Saves replace the file; a read-only one must refuse them, as a write to it does.
        if (exists && (GetFileAttributesA(target.c_str()) & FILE_ATTRIBUTE_READONLY)) throw failure;
        Scratch copy;
        if (!copy.Create(target, before) || !Date(copy.path(), 60)) throw failure;
        const SettingsNow now(SectionsOf(copy.path()), exists && made.path.empty());
        const SettingsChange c = change(now);
        if (c.empty()) return;
        IniLines lines(before);
        std::string refused;
        for (const auto &s : c.sections)
            if (!lines.ReplaceKeys(s.name, s.entries, KeysOf(now.List(s.name), Duplicates::All),
                                   refused))
                throw Error(
                    Format("%s の [" + s.name +
                               "] に、同じ拡張子の行がもう一つあるため、書き込めません:\r\n" +
                               refused + "\r\n\r\nメモ帳などで、どちらかの行を消してください。",
                           path));
        for (const auto &k : c.keys)
            lines.SetKey(k.section, k.key, k.value, KeysOf(now.List(k.section), Duplicates::All));
        const std::string bytes = lines.Bytes();
        if (exists && made.path.empty() && bytes == before) return; // nothing the file lacks
        std::string written;
        bool writtenExists = false;
        if (!copy.Write(bytes) || !copy.Rename() || !Date(copy.path(), 60) ||
            !Holds(copy.path(), now, c, lines) || !Date(copy.path(), 0) ||
            !ReadWhole(copy.path(), written, writtenExists) || written != bytes)
            throw failure;
        if (!PutInPlace(copy, target, before, exists, bytes, failure)) continue;
        made.kept = true;
        return;
    }
    throw failure;
}

void ReplaceSettingsBytes(const std::string &path, const std::string &before,
                          const std::string &bytes) {
    const Error failure(Format("%s に書き込めません", path));
    const std::string target = WriteTarget(path);
    SaveLock lock(target);
    if (!lock.owned()) throw failure;
    CleanScratch(target);
    Scratch copy;
    std::string written;
    bool exists = false;
    if (!copy.Create(target, bytes) || !ReadWhole(copy.path(), written, exists) ||
        written != bytes || !PutInPlace(copy, target, before, true, bytes, failure))
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
