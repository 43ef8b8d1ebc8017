// Fuzzes the whole-character text and path helpers: every input is checked against each property
// below, and a property that fails aborts with the input in hex.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/Path.h"
#include "common/ShiftJis.h"

using namespace zv;

namespace {

// True when no character of s (whole-character parse) is the single byte c.
bool HoldsNoSingle(const std::string &s, char c) {
    for (size_t i = 0; i < s.size(); i += CharLen(s, i))
        if (CharLen(s, i) == 1 && s[i] == c) return false;
    return true;
}

bool CutNeverSplitsACharacter(const std::string &s) {
    std::vector<bool> starts(s.size() + 1, false);
    for (size_t i = 0; i < s.size(); i += CharLen(s, i)) starts[i] = true;
    starts[s.size()] = true;
    // Every cut of a short text; of a long one the first and last bytes and sixteen between.
    std::vector<size_t> cuts;
    for (size_t n = 0; n <= s.size() + 1; ++n)
        if (s.size() <= 64 || n < 8 || n + 8 > s.size() || n % (s.size() / 16) == 0)
            cuts.push_back(n);
    for (size_t n : cuts) {
        std::string cut = CutWhole(s, n);
        if (cut.size() > n || s.compare(0, cut.size(), cut) != 0 || !starts[cut.size()])
            return false;
        if (!cut.empty() && starts[cut.size() - 1] &&
            IsLeadByte(static_cast<unsigned char>(cut.back())))
            return false;
    }
    return true;
}

bool FolderAndNameGiveThePathBack(const std::string &s) {
    std::string name = ExtractFileName(s);
    return ExtractFilePath(s) + name == s && HoldsNoSingle(name, '\\') && HoldsNoSingle(name, ':');
}

bool ExtensionKeyHoldsNoDot(const std::string &s) {
    std::string key = ExtensionKey(s);
    return HoldsNoSingle(key, '.') && HoldsNoSingle(key, '\\') && HoldsNoSingle(key, ':');
}

bool DotRemovalIsIdempotent(const std::string &s) {
    std::string once = RemoveDots(s);
    return RemoveDots(once) == once && HoldsNoSingle(once, '.');
}

bool AddedBackslashIsTheLastCharacter(const std::string &s) {
    std::string with = IncludeTrailingBackslash(s);
    std::string name = ExtractFileName(s);
    return EndsWithBackslash(with) && IncludeTrailingBackslash(with) == with &&
           ExtractFileName(PathIn(s, name)) == name &&
           ExcludeTrailingBackslash(with).size() + 1 == with.size();
}

struct Property {
    const char *name;
    bool (*holds)(const std::string &);
};

const Property kProperties[] = {
    {"cut never splits a character", CutNeverSplitsACharacter},
    {"folder part + name part give the path back", FolderAndNameGiveThePathBack},
    {"extension key holds no single-byte dot", ExtensionKeyHoldsNoDot},
    {"dot removal is idempotent", DotRemovalIsIdempotent},
    {"an added backslash is the last character", AddedBackslashIsTheLastCharacter},
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const std::string s(reinterpret_cast<const char *>(data), size);
    for (const Property &p : kProperties) {
        if (!p.holds(s)) {
            std::fprintf(stderr, "property failed: %s\ninput:", p.name);
            for (unsigned char c : s) std::fprintf(stderr, " %02X", c);
            std::fprintf(stderr, "\n");
            std::abort();
        }
    }
    return 0;
}
