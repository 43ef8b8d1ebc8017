// The settings file as users leave it: edited in Notepad and saved as UTF-8 or UTF-16, or cut
// short by a power failure, which leaves NUL bytes. Nothing is read from such a file on a guess,
// and nothing is written back into it.
#pragma once
#include <string>

#include "IniText.h"

namespace zv {

// Raises, in a message that names the file and the line, when bytes hold a NUL.
void RefuseDamaged(const std::string &path, const std::string &bytes);
// The same, and when the bytes are not Shift-JIS: what a save must not write into.
void RefuseUnwritable(const std::string &path, const std::string &bytes);

// The encoding as a user of Notepad knows it.
std::string EncodingName(Encoding encoding);
// A UTF-8 or UTF-16 file's text in Shift-JIS, byte-order mark gone, line ends as they were;
// raises, naming the line, when Shift-JIS cannot hold a character of it.
std::string ToShiftJis(const std::string &path, const std::string &bytes, Encoding encoding);
// Keeps bytes beside path, under path + suffix (a number added while that name is taken), read
// back; the backup's path. Raises "%s に書き込めません" when it cannot.
std::string KeepBackup(const std::string &path, const std::string &bytes,
                       const std::string &suffix);

} // namespace zv
