// The settings file: an INI file beside the executable, read and written through the profile API.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Keys.h"

namespace zv {

// Path of the settings file: the executable's path with its extension replaced by ".INI".
std::string SettingsPath();
// The settings path for a given executable path (the extension is everything from the file
// name's last dot; a name without a dot gets ".INI" appended).
std::string SettingsPathFor(const std::string &exePath);
// True when a file (not a folder) stands at the settings path.
bool SettingsFileExists();

// One routine's access to the settings file. Creating it touches no file; every write made
// through it is on disk when it is destroyed. Reads always see the file as it is now, including
// what other objects of the process or other processes have written.
class SettingsFile {
  public:
    explicit SettingsFile(std::string path = SettingsPath());
    // An object on another file whose errors name the settings file it stands in for.
    SettingsFile(std::string path, std::string shownPath);
    ~SettingsFile();
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

    // These raise "%s に書き込めません" when the system refuses the write.
    void WriteString(const char *section, const char *key, const std::string &value);
    void WriteInteger(const char *section, const char *key, int32_t value);
    void WriteBool(const char *section, const char *key, bool value);
    void EraseSection(const char *section);

    // The key names of a section in file order; empty when the file or section is missing.
    std::vector<std::string> ReadSection(const char *section) const;

  private:
    [[noreturn]] void RaiseWriteError() const;
    std::string path_, shownPath_;
    bool written_ = false; // a write was asked for: the destructor has the file written
};

// Runs edit on a copy of the settings file made beside it, and puts the copy in the file's place
// in one move only when every write succeeded: a save that fails half way leaves the file exactly
// as it was, and raises the write error of the settings file.
void RewriteSettings(const std::function<void(SettingsFile &)> &edit,
                     const std::string &path = SettingsPath());

// Writes the five Option keys of a new settings file for the initial folder, unless a file already
// exists there.
void WriteDefaultSettings(const std::string &baseDir);

} // namespace zv
