// The settings file as users leave it.
#include "SettingsCheck.h"

#include <windows.h>

#include "../common/CodePage.h"
#include "../common/Error.h"
#include "../common/Format.h"
#include "ScratchFile.h"

namespace zv {

void RefuseDamaged(const std::string &path, const std::string &bytes) {
    const Inspection in = Inspect(bytes);
    if (in.encoding != Encoding::ShiftJis || !in.nulLine) return;
    const std::string where = in.allNul
                                  ? std::string("中身がすべて NUL 文字です")
                                  : std::to_string(in.nulLine) + " 行目から NUL 文字があります";
    throw Error(Format("%s は壊れています（" + where +
                           "。停電などで保存が途中で止まると、こうなることがあります）。\r\n"
                           "設定を読み違えないよう、何も移動も保存もしません。\r\n\r\n"
                           "メモ帳などで NUL 文字の部分を直すか、ファイルを削除してください"
                           "（削除すると、次に起動したときに設定を作り直します）。",
                       path));
}

void RefuseUnwritable(const std::string &path, const std::string &bytes) {
    const Inspection in = Inspect(bytes);
    if (in.encoding != Encoding::ShiftJis)
        throw Error(Format("%s は " + EncodingName(in.encoding) +
                               " で保存されているため、書き込めません。\r\nメモ帳で開き、"
                               "[名前を付けて保存] の [エンコード] で「ANSI」を選んで保存し直して"
                               "ください。",
                           path));
    RefuseDamaged(path, bytes);
}

std::string EncodingName(Encoding encoding) {
    switch (encoding) {
    case Encoding::Utf8: return "UTF-8";
    case Encoding::Utf16LE:
    case Encoding::Utf16BE: return "UTF-16（メモ帳の「Unicode」）";
    default: return "Shift-JIS";
    }
}

std::string ToShiftJis(const std::string &path, const std::string &bytes, Encoding encoding) {
    std::wstring wide;
    const Inspection in = Inspect(bytes);
    const size_t skip = in.bom ? (encoding == Encoding::Utf8 ? 3 : 2) : 0;
    if (encoding == Encoding::Utf8) {
        const int n = MultiByteToWideChar(CP_UTF8, 0, bytes.data() + skip,
                                          static_cast<int>(bytes.size() - skip), nullptr, 0);
        wide.resize(static_cast<size_t>(n > 0 ? n : 0));
        if (n > 0)
            MultiByteToWideChar(CP_UTF8, 0, bytes.data() + skip,
                                static_cast<int>(bytes.size() - skip), &wide[0], n);
    } else {
        for (size_t i = skip; i + 1 < bytes.size(); i += 2) {
            const unsigned char a = static_cast<unsigned char>(bytes[i]),
                                b = static_cast<unsigned char>(bytes[i + 1]);
            wide += static_cast<wchar_t>(encoding == Encoding::Utf16LE ? a | b << 8 : a << 8 | b);
        }
    }
    // Line by line, so that what Shift-JIS cannot hold is named where it stands.
    std::string out, line;
    size_t number = 1;
    for (size_t start = 0; start <= wide.size(); ++number) {
        size_t lf = wide.find(L'\n', start);
        if (lf == std::wstring::npos) lf = wide.size();
        if (!ToAnsiExact(wide.substr(start, lf - start), line)) {
            const size_t cr = line.find('\r');
            throw Error(
                Format("%s の " + std::to_string(number) +
                           " 行目に Shift-JIS で表せない文字 (「?」の部分) があるため、"
                           "変換できません:\r\n" +
                           line.substr(0, cr) +
                           "\r\n\r\nメモ帳でその文字を直してから、もう一度起動してください。",
                       path));
        }
        out += line + (lf < wide.size() ? "\n" : "");
        start = lf + 1;
    }
    return out;
}

std::string KeepBackup(const std::string &path, const std::string &bytes,
                       const std::string &suffix) {
    for (int n = 1; n < 100; ++n) {
        const std::string backup = path + suffix + (n > 1 ? "." + std::to_string(n) : "");
        std::string back;
        bool exists = false;
        KernelHandle h(CreateFileA(backup.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!h.valid()) {
            if (GetLastError() == ERROR_FILE_EXISTS) continue;
            break;
        }
        DWORD put = 0;
        const bool wrote =
            WriteFile(h.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr) &&
            put == bytes.size() && FlushFileBuffers(h.get());
        h.reset();
        if (wrote && ReadWhole(backup, back, exists) && back == bytes) return backup;
        DeleteFileA(backup.c_str());
        break;
    }
    throw Error(Format("%s に書き込めません", path + suffix));
}

} // namespace zv
