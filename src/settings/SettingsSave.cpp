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

#include "../common/Error.h"
#include "../common/FileAttributes.h"
#include "../common/Format.h"
#include "../common/Path.h"
#include "ScratchFile.h"

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
