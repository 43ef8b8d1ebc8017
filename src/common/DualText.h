// A text in both of the forms the system takes: UTF-16 and the system code page. Names that the
// code page holds exactly keep the code-page spelling they always had, byte for byte, and go to
// the code-page calls; names it cannot hold are acted on through their UTF-16 form only, and their
// code-page form (with "?" for what the code page lacks) is never handed to a call.
#pragma once
#include <string>

namespace zv {

struct DualText {
    std::wstring wide;
    std::string ansi; // exact when exact; otherwise for showing only
    bool exact = true;

    DualText() = default;
    DualText(const std::string &codePage); // NOLINT: every code-page text is exact
    DualText(const char *codePage);        // NOLINT
    DualText(const std::wstring &utf16);   // NOLINT: exact when the code page holds it
    bool empty() const { return wide.empty() && ansi.empty(); }
    DualText &operator+=(const DualText &more);
};
inline DualText operator+(DualText a, const DualText &b) { return a += b; }

// The path parts of Path.h on both forms: the code-page form of an exact text is cut by Path.h,
// byte for byte; that of any other is made from the UTF-16 part.
DualText FileNameOf(const DualText &path); // after the last '\' or ':'
DualText FolderOf(const DualText &path);   // up to and including it
DualText PathIn(const DualText &folder, const DualText &name);
// The extension key (Path.h's ExtensionKey) of the name; false when the code page cannot hold it.
bool KeyOf(const DualText &path, std::string &key);

} // namespace zv
