// The settings file as bytes.
#include "IniText.h"

#include <algorithm>
#include <map>
#include <set>

#include "../common/ShiftJis.h"
#include "Value.h"

namespace zv {
namespace {

bool StartsWith(const std::string &s, const char *prefix, size_t n) {
    return s.size() >= n && s.compare(0, n, prefix, n) == 0;
}

// The profile API drops blanks and a carriage return around what it reads.
std::string Trimmed(const std::string &text) {
    size_t begin = 0, end = text.size();
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (begin < end && blank(text[begin])) ++begin;
    while (end > begin && blank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

// A header's section name, or false.
bool HeaderOf(const std::string &text, std::string &name) {
    const std::string t = Trimmed(text);
    const size_t close = LastDelimiter(t, "]");
    if (t.empty() || t[0] != '[' || close == std::string::npos) return false;
    name = Trimmed(t.substr(1, close - 1));
    return true;
}

// A key line's name and value, or false (a comment, a line without "=" or with an empty name).
bool KeyOf(const std::string &text, Entry &entry) {
    const std::string t = Trimmed(text);
    const size_t eq = FindChar(t, "=");
    std::string name;
    if (t.empty() || t[0] == ';' || eq == std::string::npos || HeaderOf(t, name)) return false;
    entry = {Trimmed(t.substr(0, eq)), Trimmed(t.substr(eq + 1))};
    return IsStorableKey(entry.key);
}

} // namespace

bool IsUtf8(const std::string &bytes) {
    for (size_t i = 0; i < bytes.size();) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        size_t n = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : 9;
        if (n == 9 || i + n >= bytes.size() + (n ? 0 : 1)) return false;
        unsigned long code = n ? c & (0x3F >> n) : c;
        for (size_t k = 1; k <= n; ++k) {
            const unsigned char t = static_cast<unsigned char>(bytes[i + k]);
            if ((t & 0xC0) != 0x80) return false;
            code = code << 6 | (t & 0x3F);
        }
        const unsigned long least[] = {0, 0x80, 0x800, 0x10000};
        if (code < least[n] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
        i += n + 1;
    }
    return true;
}

Inspection Inspect(const std::string &bytes) {
    Inspection in;
    if (StartsWith(bytes, "\xEF\xBB\xBF", 3)) {
        in.encoding = Encoding::Utf8;
    } else if (StartsWith(bytes, "\xFF\xFE", 2)) {
        in.encoding = Encoding::Utf16LE;
    } else if (StartsWith(bytes, "\xFE\xFF", 2)) {
        in.encoding = Encoding::Utf16BE;
    } else {
        const bool beyondAscii = std::any_of(bytes.begin(), bytes.end(), [](char c) {
            return static_cast<unsigned char>(c) >= 0x80;
        });
        if (beyondAscii && IsUtf8(bytes)) in.encoding = Encoding::Utf8;
        const size_t nul = bytes.find('\0');
        if (nul != std::string::npos) {
            in.nulLine =
                1 + static_cast<size_t>(std::count(bytes.begin(), bytes.begin() + nul, '\n'));
            in.allNul = bytes.find_first_not_of('\0') == std::string::npos;
        }
        return in;
    }
    in.bom = true;
    return in;
}

IniLines::IniLines(const std::string &bytes) {
    for (size_t start = 0; start < bytes.size();) {
        size_t lf = bytes.find('\n', start);
        const size_t next = lf == std::string::npos ? bytes.size() : lf + 1;
        size_t textEnd = lf == std::string::npos ? bytes.size() : lf;
        if (lf != std::string::npos && textEnd > start && bytes[textEnd - 1] == '\r') --textEnd;
        lines_.push_back(
            {bytes.substr(start, textEnd - start), bytes.substr(textEnd, next - textEnd)});
        start = next;
    }
}

std::string IniLines::Bytes() const {
    size_t size = 0;
    for (const Line &l : lines_) size += l.text.size() + l.end.size();
    std::string out;
    out.reserve(size);
    for (const Line &l : lines_) out.append(l.text).append(l.end);
    return out;
}

std::vector<std::string> IniLines::Sections() const {
    std::vector<std::string> names;
    std::string name;
    for (const Line &l : lines_)
        if (HeaderOf(l.text, name)) names.push_back(name);
    return names;
}

bool IniLines::Find(const std::string &section, size_t &header, size_t &end) const {
    const std::wstring wanted = NameIdentity(section);
    std::string name;
    header = lines_.size();
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (!HeaderOf(lines_[i].text, name)) continue;
        if (header < lines_.size()) {
            end = i;
            return true;
        }
        if (NameIdentity(name) == wanted) header = i;
    }
    end = lines_.size();
    return header < lines_.size();
}

size_t IniLines::EndOfKeys(size_t header, size_t end) const {
    size_t at = header + 1;
    for (size_t i = header + 1; i < end; ++i)
        if (!Trimmed(lines_[i].text).empty()) at = i + 1;
    return at;
}

void IniLines::Insert(size_t at, std::vector<Line> lines) {
    lines_.insert(lines_.begin() + static_cast<long>(at), lines.begin(), lines.end());
    EndLines();
}

void IniLines::EndLines() {
    // Only the file's last line may lack an end (a file that does not end in one).
    for (size_t i = 0; i + 1 < lines_.size(); ++i)
        if (lines_[i].end.empty()) lines_[i].end = "\r\n";
}

std::vector<std::pair<size_t, Entry>> IniLines::KeyLines(size_t header, size_t end,
                                                         const Entries &read) const {
    std::vector<std::pair<size_t, Entry>> keys;
    Entry e;
    for (size_t i = header + 1; i < end; ++i)
        if (KeyOf(lines_[i].text, e)) keys.emplace_back(i, e);
    // Where bytes do not convert back (a lead byte without its trail), the profile API reads a
    // line otherwise than its bytes spell it: a change compares with what it reads.
    if (read.size() == keys.size())
        for (size_t k = 0; k < keys.size(); ++k) keys[k].second = read[k];
    return keys;
}

void IniLines::SetKey(const std::string &section, const std::string &key, const std::string &value,
                      const Entries &read) {
    size_t header, end;
    if (!Find(section, header, end)) {
        Insert(lines_.size(), {{"[" + section + "]", "\r\n"}, {key + "=" + value, "\r\n"}});
        return;
    }
    const std::wstring wanted = NameIdentity(key);
    Entry own;
    for (const auto &k : KeyLines(header, end, read)) {
        if (NameIdentity(k.second.key) != wanted) continue;
        KeyOf(lines_[k.first].text, own);
        if (k.second.value != value) lines_[k.first].text = own.key + "=" + value;
        return;
    }
    Insert(EndOfKeys(header, end), {{key + "=" + value, "\r\n"}});
}

bool IniLines::ReplaceKeys(const std::string &section, const Entries &entries, const Entries &read,
                           std::string &refused) {
    // The section holds these keys already, as the profile API reads it: not a byte changes.
    if (!entries.empty() && entries == read) return true;
    size_t header, end;
    if (!Find(section, header, end)) {
        if (entries.empty()) return true;
        std::vector<Line> add{{"[" + section + "]", "\r\n"}};
        for (const Entry &e : entries) add.push_back({e.key + "=" + e.value, "\r\n"});
        Insert(lines_.size(), add);
        return true;
    }
    // The section's key lines: the first of each key (what lookups read), and later ones.
    std::vector<size_t> slots;
    std::vector<Entry> held;
    std::set<std::wstring> seen;
    size_t later = end;
    for (const auto &k : KeyLines(header, end, read)) {
        if (seen.insert(NameIdentity(k.second.key)).second) {
            slots.push_back(k.first);
            held.push_back(k.second);
        } else if (later == end) {
            later = k.first;
        }
    }
    if (held == entries) return true;
    if (later != end) {
        refused = lines_[later].text;
        return false;
    }
    // Each entry's line: one that holds it as it is, else a new one.
    std::map<std::pair<std::string, std::string>, std::vector<size_t>> unused; // last first
    for (size_t k = slots.size(); k-- > 0;)
        unused[{held[k].key, held[k].value}].push_back(slots[k]);
    std::vector<Line> made;
    for (const Entry &want : entries) {
        auto same = unused.find({want.key, want.value});
        if (same == unused.end() || same->second.empty()) {
            made.push_back({want.key + "=" + want.value, "\r\n"});
        } else {
            made.push_back(lines_[same->second.back()]);
            same->second.pop_back();
        }
    }
    // Into the key lines' places, in order; what is left over after the last of them.
    size_t next = 0, after = slots.empty() ? EndOfKeys(header, end) : slots.back() + 1;
    std::vector<bool> isSlot(end - header, false);
    for (size_t k : slots) isSlot[k - header] = true;
    std::vector<Line> body;
    for (size_t i = header + 1; i < end; ++i) {
        const bool slot = isSlot[i - header];
        if (!slot) body.push_back(lines_[i]);
        if (slot && next < made.size()) body.push_back(made[next++]);
        if (i + 1 == after)
            while (next < made.size()) body.push_back(made[next++]);
    }
    if (header + 1 == after)
        body.insert(body.begin(), made.begin() + static_cast<long>(next), made.end());
    // A later block of the same name is read by no lookup while this header stands before it.
    std::string name;
    bool shadows = false;
    for (size_t i = end; i < lines_.size() && !shadows; ++i)
        shadows = HeaderOf(lines_[i].text, name) && NameIdentity(name) == NameIdentity(section);
    const bool keepHeader = shadows || std::any_of(body.begin(), body.end(), [](const Line &l) {
                                return !Trimmed(l.text).empty();
                            });
    lines_.erase(lines_.begin() + static_cast<long>(header) + (keepHeader ? 1 : 0),
                 lines_.begin() + static_cast<long>(end));
    if (keepHeader)
        lines_.insert(lines_.begin() + static_cast<long>(header) + 1, body.begin(), body.end());
    else
        lines_.insert(lines_.begin() + static_cast<long>(header), body.begin(), body.end());
    EndLines();
    return true;
}

} // namespace zv
