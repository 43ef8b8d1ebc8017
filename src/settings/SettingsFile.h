// The settings file: an INI file beside the executable, read and written through the profile API.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "../common/Handles.h"
#include "Keys.h"
#include "Sections.h"

namespace zv {

// Path of the settings file: the executable's path with its extension replaced by ".INI".
std::string SettingsPath();
// The settings path for a given executable path (the extension is everything from the file
// name's last dot; a name without a dot gets ".INI" appended).
std::string SettingsPathFor(const std::string &exePath);
// True when a file (not a folder) stands at the settings path.
bool SettingsFileExists();

// Holds the settings file open for reading, sharing it with every other kind of access, for as
// long as it lives: no other program can take the file for itself meanwhile, which would make
// every read give its default. A file that exists but cannot be opened (held by another program
// without sharing) raises "%s を読み込めません"; a missing one is no error. Inside another reading
// of the same file it does nothing: the outer one holds the file already (the settings window
// reads the whole file under one).
class SettingsReading {
  public:
    explicit SettingsReading(const std::string &path = SettingsPath());
    ~SettingsReading();
    SettingsReading(const SettingsReading &) = delete;
    SettingsReading &operator=(const SettingsReading &) = delete;

  private:
    KernelHandle file_;
    bool outer_ = false; // this one holds the file for the readings inside it
};

// One routine's read access to the settings file; it is written only through SaveSettings
// (SettingsSave.h). Creating it touches no file. Reads always see the file as it is now, including
// what other objects of the process or other processes have written; a read never gives a default
// for a file that exists but cannot be read: it raises "%s を読み込めません" (a list is read held
// open by SettingsReading; a single value is read again held when the system reports that the
// file could not be opened).
class SettingsFile {
  public:
    explicit SettingsFile(std::string path = SettingsPath());
    SettingsFile(const SettingsFile &) = delete;
    SettingsFile &operator=(const SettingsFile &) = delete;

    static constexpr size_t kValueBuffer = 2048; // a value reads back as 2,047 bytes at most

    std::string ReadString(const char *section, const char *key, const std::string &def) const;
    int32_t ReadInteger(const char *section, const char *key, int32_t def) const;
    bool ReadBool(const char *section, const char *key, bool def) const;
    // A key of section Option as one reader reads it (Keys.h).
    bool Read(const OptionRead<bool> &option) const;
    std::string Read(const OptionRead<const char *> &option) const;
    MoveNoExt Read(const OptionRead<MoveNoExt> &option) const;

    // The lines of a section (SectionList), and its keys with their values whole, each key once,
    // as lookups see them (KeysOf).
    std::string ReadList(const char *section) const;
    Entries ReadKeys(const char *section) const {
        return KeysOf(ReadList(section), Duplicates::FirstWins);
    }
    // A key's value as a lookup reads it (without the quotes around it), and whole when it is too
    // long for a lookup: what the settings window shows.
    std::string Looked(const char *section, const Entry &key) const;

  private:
    std::string path_;
};

// Writes the five Option keys of a new settings file for the initial folder, unless a file already
// exists there.
void WriteDefaultSettings(const std::string &baseDir);

} // namespace zv
