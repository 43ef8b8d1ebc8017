// A text in UTF-16 and in the system code page.
#include "DualText.h"

#include "CodePage.h"
#include "Path.h"

namespace zv {
namespace {

size_t LastOf(const std::wstring &s, const wchar_t *chars) { return s.find_last_of(chars); }

} // namespace

DualText::DualText(const std::string &codePage) : wide(ToWide(codePage)), ansi(codePage) {}
DualText::DualText(const char *codePage) : DualText(std::string(codePage)) {}
DualText::DualText(const std::wstring &utf16) : wide(utf16) { exact = ToAnsiExact(utf16, ansi); }

DualText &DualText::operator+=(const DualText &more) {
    wide += more.wide;
    ansi += more.ansi;
    exact = exact && more.exact;
    return *this;
}

DualText FileNameOf(const DualText &path) {
    if (path.exact) return DualText(ExtractFileName(path.ansi));
    const size_t i = LastOf(path.wide, L"\\:");
    return DualText(i == std::wstring::npos ? path.wide : path.wide.substr(i + 1));
}

DualText FolderOf(const DualText &path) {
    if (path.exact) return DualText(ExtractFilePath(path.ansi));
    const size_t i = LastOf(path.wide, L"\\:");
    return DualText(i == std::wstring::npos ? std::wstring() : path.wide.substr(0, i + 1));
}

DualText PathIn(const DualText &folder, const DualText &name) {
    if (folder.exact) return DualText(IncludeTrailingBackslash(folder.ansi)) + name;
    const bool slash = !folder.wide.empty() && folder.wide.back() == L'\\';
    return folder + DualText(std::wstring(slash ? L"" : L"\\")) + name;
}

bool KeyOf(const DualText &path, std::string &key) {
    if (path.exact) {
        key = ExtensionKey(path.ansi);
        return true;
    }
    const size_t i = LastOf(path.wide, L".\\:");
    std::wstring extension;
    if (i != std::wstring::npos && path.wide[i] == L'.') extension = path.wide.substr(i);
    std::wstring wideKey;
    for (wchar_t c : extension)
        if (c != L'.') wideKey += c;
    return ToAnsiExact(wideKey, key);
}

} // namespace zv
