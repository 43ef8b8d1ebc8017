// The one way the settings file is written: the change is made on a copy beside the file, every
// line it does not touch kept as it stands, read back and compared with what was meant, and only
// then put in the file's place. The file is never left half written, written over unseen or
// replaced by a shorter one; saves of it in several instances at once are made one after another.
#pragma once
#include <functional>
#include <string>

#include "Sections.h"
#include "SettingsFile.h"

namespace zv {

// What a save changes. Sections are replaced whole, in order (an empty one is removed); then
// single keys are set, each in its place or at the end of its section.
struct SettingsChange {
    struct Section {
        std::string name;
        Entries entries; // written as given: each key once, no blanks around names or values
    };
    struct Key {
        std::string section, key, value;
    };
    std::vector<Section> sections;
    std::vector<Key> keys;
    bool empty() const { return sections.empty() && keys.empty(); }
};

// The file as a save finds it, for a change that depends on what it holds now.
class SettingsNow {
  public:
    // Each section's name and its lines (SectionList), in file order.
    using Sections = std::vector<std::pair<std::string, std::string>>;
    SettingsNow(Sections sections, bool exists) : sections_(std::move(sections)), exists_(exists) {}
    bool Exists() const { return exists_; }
    const Sections &All() const { return sections_; }
    // The lines of a section (SectionList); empty when it is missing.
    std::string List(const std::string &section) const;

  private:
    Sections sections_;
    bool exists_;
};

// Saves the change that change() gives for the file as it is now; when another program writes
// the file meanwhile, change() is asked again. On any shortfall (the file cannot be read, is
// read-only, or the copy does not hold exactly what was meant, as on a full disk) it raises
// "%s に書き込めません" and leaves the file byte for byte as it was, and no copy behind. A link
// to the file stays a link: the file it leads to is written.
void SaveSettings(const std::function<SettingsChange(const SettingsNow &)> &change,
                  const std::string &path = SettingsPath());
// The same for a change that does not depend on the file.
void SaveSettings(const SettingsChange &change, const std::string &path = SettingsPath());
// The file's bytes (before, as read) replaced whole by bytes, in the same safe way.
void ReplaceSettingsBytes(const std::string &path, const std::string &before,
                          const std::string &bytes);

} // namespace zv
