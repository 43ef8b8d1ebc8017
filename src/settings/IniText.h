// The settings file as bytes: what they are encoded in, and its lines, changed so that every line
// a change does not touch stays as it stands, byte for byte. No windows.h here: this also builds
// and runs natively.
#pragma once
#include <string>
#include <vector>

#include "Merge.h"

namespace zv {

// What a settings file's bytes are. Shift-JIS unless they begin with a byte-order mark (UTF-8,
// UTF-16 of either byte order), or they are UTF-8 through and through with at least one
// character beyond ASCII: Shift-JIS text with kana or kanji is never valid UTF-8, since its lead
// bytes 81 to 9F and trail bytes 40 to 7E fit no UTF-8 sequence.
enum class Encoding { ShiftJis, Utf8, Utf16LE, Utf16BE };
struct Inspection {
    Encoding encoding = Encoding::ShiftJis;
    bool bom = false;
    size_t nulLine = 0;  // Shift-JIS only: the first line (from 1) that holds a NUL byte, or 0
    bool allNul = false; // every byte is NUL (and there is one at least)
};
Inspection Inspect(const std::string &bytes);
bool IsUtf8(const std::string &bytes); // valid UTF-8: no stray, overlong or surrogate sequence

// The lines of a Shift-JIS settings file, read as the profile API reads them: a line ends at a
// line feed (a carriage return before it belongs to its end); blanks around names and values
// do not count; "[name]" opens a section; a line with "=" is a key unless it opens with ";".
class IniLines {
  public:
    explicit IniLines(const std::string &bytes);
    std::string Bytes() const;
    // The names of the sections, in file order.
    std::vector<std::string> Sections() const;

    // The key's line gets the value (the key spelt as the file spells it), or the key a line at
    // the end of the section's keys, or the section and the key a place at the end of the file.
    // A line whose value is the one given stays as it stands. read: the section's keys as the
    // profile API reads them (KeysOf(..., Duplicates::All)), against which a line is compared.
    void SetKey(const std::string &section, const std::string &key, const std::string &value,
                const Entries &read = {});
    // The section's keys become entries, in their order: a line that holds one of them as it is
    // stays as it stands, in a key's place; the others are written anew. Lines that are no key
    // of the section (comments, lines without "=") stay where they stand. No entries: the
    // section goes, its header too unless such lines are left or a later block of the same name
    // (which no lookup reads) stands after it. False, with that line, when the
    // section holds a second line of one key (no lookup reads it) that the change would let a
    // lookup read or would move: nothing is changed then.
    bool ReplaceKeys(const std::string &section, const Entries &entries, const Entries &read,
                     std::string &refused);

  private:
    struct Line {
        std::string text, end;
    };
    // The lines of the first section of that name: from its header to the next one.
    bool Find(const std::string &section, size_t &header, size_t &end) const;
    // The section's key lines, each with its key as read (the profile API's reading where it
    // gives one for every line, else the bytes').
    std::vector<std::pair<size_t, Entry>> KeyLines(size_t header, size_t end,
                                                   const Entries &read) const;
    // After the section's last line that is not blank.
    size_t EndOfKeys(size_t header, size_t end) const;
    void Insert(size_t at, std::vector<Line> lines);
    void EndLines();
    std::vector<Line> lines_;
};

} // namespace zv
