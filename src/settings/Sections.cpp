// Whole sections through the profile API, and the three-way merge of a section.
#include "Sections.h"

#include <windows.h>

#include <cstring>
#include <unordered_map>

#include "../common/Buffer.h"
#include "../common/CodePage.h"
#include "Value.h"

namespace zv {
namespace {

// A list of zero-terminated strings that ends in an empty one, as the profile API returns them;
// a cut list returns size - 2 or more, and the buffer grows until it fits.
template <class Call> std::vector<std::string> List(Call call) {
    const std::string list = ReadGrowing<char>(call, 2, 16384);
    std::vector<std::string> out;
    for (size_t i = 0; i < list.size();) {
        size_t len = strnlen(&list[i], list.size() - i);
        if (len) out.emplace_back(&list[i], len);
        i += len + 1;
    }
    return out;
}

using Index = std::unordered_map<std::wstring, size_t>;

Entries Unique(const Entries &entries, Duplicates duplicates, Index *index = nullptr) {
    Entries out;
    Index local;
    Index &at = index ? *index : local;
    for (const Entry &e : entries) {
        auto found = at.emplace(NameIdentity(e.key), out.size());
        if (found.second)
            out.push_back(e);
        else if (duplicates == Duplicates::LastWins)
            out[found.first->second].value = e.value;
    }
    return out;
}

} // namespace

std::wstring NameIdentity(const std::string &name) {
    std::wstring wide = ToWide(name);
    if (!wide.empty()) CharUpperBuffW(&wide[0], static_cast<DWORD>(wide.size()));
    return wide;
}

std::vector<std::string> SectionNames(const std::string &path) {
    return List([&](char *buf, size_t size) {
        return GetPrivateProfileSectionNamesA(buf, static_cast<DWORD>(size), path.c_str());
    });
}

std::vector<std::string> SectionLines(const std::string &path, const char *section) {
    return List([&](char *buf, size_t size) {
        return GetPrivateProfileSectionA(section, buf, static_cast<DWORD>(size), path.c_str());
    });
}

Entries KeysOf(const std::vector<std::string> &lines, Duplicates duplicates) {
    Entries keys;
    for (const std::string &line : lines) {
        size_t eq = line.find('='); // a key's name never holds one: the first ends it
        if (eq != std::string::npos && IsStorableKey(line.substr(0, eq)))
            keys.push_back({line.substr(0, eq), line.substr(eq + 1)});
    }
    return Unique(keys, duplicates);
}

Entries Deduplicated(const Entries &entries) { return Unique(entries, Duplicates::LastWins); }

Entries MergeSection(const Entries &loaded, const Entries &mine, const Entries &now) {
    Index loadedAt, mineAt, nowAt;
    const Entries base = Unique(loaded, Duplicates::FirstWins, &loadedAt);
    const Entries rows = Unique(mine, Duplicates::LastWins, &mineAt);
    const Entries file = Unique(now, Duplicates::FirstWins, &nowAt);

    Entries merged;
    Index mergedAt;
    for (const Entry &row : rows) {
        const std::wstring key = NameIdentity(row.key);
        auto b = loadedAt.find(key);
        if (b == loadedAt.end() || !(base[b->second] == row)) {
            merged.push_back(row); // added or changed here: the window's version
        } else {
            auto n = nowAt.find(key); // left alone here: as the file has it now, or gone
            if (n == nowAt.end()) continue;
            merged.push_back(file[n->second]);
        }
        mergedAt.emplace(key, merged.size() - 1);
    }
    // Keys another program added: each after the key that it follows in the file, in file order.
    std::vector<Entries> after(merged.size() + 1);
    size_t slot = 0;
    for (const Entry &e : file) {
        const std::wstring key = NameIdentity(e.key);
        auto m = mergedAt.find(key);
        if (m != mergedAt.end())
            slot = m->second + 1;
        else if (!loadedAt.count(key) && !mineAt.count(key))
            after[slot].push_back(e);
    }
    Entries out(after[0]);
    for (size_t i = 0; i < merged.size(); ++i) {
        out.push_back(merged[i]);
        out.insert(out.end(), after[i + 1].begin(), after[i + 1].end());
    }
    return out;
}

} // namespace zv
