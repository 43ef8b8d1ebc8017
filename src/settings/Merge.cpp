// Sections as the profile API lists them, and the three-way merge of a section. No windows.h
// here: this also builds and runs natively.
#include "Merge.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "Value.h"

namespace zv {
namespace {

// Calls each(begin, length) for every entry of a list.
template <class Each> void ForEachOf(const std::string &list, Each each) {
    for (size_t i = 0; i < list.size();) {
        const size_t len = strnlen(&list[i], list.size() - i);
        if (len) each(i, len);
        i += len + 1;
    }
}

using Index = std::unordered_map<std::wstring, size_t>;

Entries Unique(const Entries &entries, Duplicates duplicates) {
    Entries out;
    Index at;
    at.reserve(entries.size());
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
    // Most names are ASCII: their letters are raised here, without asking the system each time.
    if (std::all_of(name.begin(), name.end(), [](unsigned char c) { return c < 0x80; })) {
        std::wstring wide(name.begin(), name.end());
        for (wchar_t &c : wide)
            if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
        return wide;
    }
    return FoldNonAscii(name);
}

std::vector<std::string> SplitList(const std::string &list) {
    std::vector<std::string> out;
    ForEachOf(list, [&](size_t at, size_t len) { out.emplace_back(list, at, len); });
    return out;
}

std::string ListOf(const Entries &entries) {
    std::string out;
    for (const Entry &e : entries) out += e.key + "=" + e.value + '\0';
    return out;
}

Entries KeysOf(const std::string &list, Duplicates duplicates) {
    Entries keys;
    ForEachOf(list, [&](size_t at, size_t len) {
        // A key's name never holds a "=": the first one ends it.
        const size_t eq = list.find('=', at);
        if (eq >= at + len) return;
        std::string key(list, at, eq - at);
        if (IsStorableKey(key))
            keys.push_back({std::move(key), list.substr(eq + 1, at + len - eq - 1)});
    });
    return duplicates == Duplicates::All ? keys : Unique(keys, duplicates);
}

Entries Deduplicated(const Entries &entries) { return Unique(entries, Duplicates::LastWins); }

namespace {

const size_t kNone = static_cast<size_t>(-1);

// Each key's place on the three sides: the first of its lines in loaded and in now (what a lookup
// finds there), its first row in mine, and its place in the merge.
struct Sides {
    const Entry *loaded = nullptr, *now = nullptr;
    size_t mine = kNone, merged = kNone;
};

// The three sides of a merge, each key's Sides found by its name's identity.
struct ThreeWay {
    std::unordered_map<std::wstring, Sides> at;
    std::vector<Sides *> nowSides, rowSides; // per line of now, per row
    Entries rows; // mine, each key once at its first row with the value of its last (as writing
                  // the rows one by one leaves it)

    ThreeWay(const Entries &loaded, const Entries &mine, const Entries &now) {
        at.reserve(loaded.size() + mine.size() + now.size());
        for (const Entry &e : loaded) {
            Sides &s = at[NameIdentity(e.key)];
            if (!s.loaded) s.loaded = &e;
        }
        for (const Entry &e : now) {
            Sides &s = at[NameIdentity(e.key)];
            if (!s.now) s.now = &e;
            nowSides.push_back(&s);
        }
        for (const Entry &e : mine) {
            Sides &s = at[NameIdentity(e.key)];
            if (s.mine != kNone) {
                rows[s.mine].value = e.value;
                continue;
            }
            s.mine = rows.size();
            rows.push_back(e);
            rowSides.push_back(&s);
        }
    }
};

Entries Merge(const Entries &loaded, const Entries &mine, const Entries &now) {
    ThreeWay w(loaded, mine, now);
    Entries merged;
    for (size_t i = 0; i < w.rows.size(); ++i) {
        Sides &s = *w.rowSides[i];
        const Entry *e = &w.rows[i]; // added or changed here: the window's version
        if (s.loaded && *s.loaded == w.rows[i]) {
            e = s.now; // left alone here: as the file has it now, or gone
            if (!e) continue;
        }
        s.merged = merged.size();
        merged.push_back(*e);
    }
    // Keys another program added: each after the key that it follows in the file, in file order.
    std::vector<Entries> after(merged.size() + 1);
    size_t slot = 0;
    for (size_t i = 0; i < now.size(); ++i) {
        const Sides &s = *w.nowSides[i];
        if (s.now != &now[i]) continue; // a later line of a key: no lookup sees it
        if (s.merged != kNone)
            slot = s.merged + 1;
        else if (!s.loaded && s.mine == kNone)
            after[slot].push_back(now[i]);
    }
    Entries out(after[0]);
    out.reserve(merged.size() + now.size());
    for (size_t i = 0; i < merged.size(); ++i) {
        out.push_back(merged[i]);
        out.insert(out.end(), after[i + 1].begin(), after[i + 1].end());
    }
    return out;
}

} // namespace

Entries MergeSection(const std::string &loaded, const Entries &mine, const std::string &now) {
    // Changed on neither side (the common case, and the cheapest to tell): the section stays.
    if (now == loaded && ListOf(mine) == loaded) return mine;
    return Merge(KeysOf(loaded, Duplicates::FirstWins), mine, KeysOf(now, Duplicates::All));
}

} // namespace zv
