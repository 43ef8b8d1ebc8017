// Start-up: chooses the run mode, performs the first run and turns the arguments into the list
// of files that the sorting run sorts.
#include "Startup.h"

#include "../common/Application.h"
#include "../common/Error.h"
#include "../common/FileAttributes.h"
#include "../common/Format.h"
#include "../common/Handles.h"
#include "../common/Path.h"
#include "../common/SystemPath.h"
#include "../settings/ScratchFile.h"
#include "../settings/SettingsCheck.h"
#include "../settings/SettingsFile.h"
#include "../settings/SettingsSave.h"
#include "../sorting/FileUnit.h"
#include "../sorting/FolderListing.h"
#include "../sorting/ZorvikUnit.h"
#include "../ui/FolderChooser.h"
#include "RuleQuestion.h"
#include "globUnit.h"

namespace zv {
namespace {

void ReadFolderOptions() {
    SettingsFile ini;
    MoveFolder = ini.Read(kSortMoveFolder);
    MoveFolderPath = ini.Read(kSortMoveFolderPath);
    // The documents folder is asked for on every start, whether the key is there or not.
    std::string documents = ExcludeTrailingBackslash(GetDocumentsDir());
    BaseDir = ini.ReadString(kOption, kBaseDir, documents);
}

// An argument as the system resolves it, where its spelling would mislead the code-page calls or
// the checks: "\\?\T:\..." and "\\.\T:\..." are T:\..., "T:a.txt" and "T:/in/a.txt" full paths, a
// short name the long one. Anything else stays as given, byte for byte. False, with the reason,
// for what must stay.
bool Resolve(DualText &path, LeftReason &reason) {
    if (MustLeave(path, reason)) return false;
    std::wstring w = path.wide;
    const bool device = w.compare(0, 4, L"\\\\.\\") == 0,
               verbatim = w.compare(0, 4, L"\\\\?\\") == 0;
    if (device || verbatim) {
        const bool drivePath =
            w.size() > 6 && IsDriveLetter(w[4]) && w[5] == L':' && (w[6] == L'\\' || w[6] == L'/');
        // "\\.\T:", "\\?\T:" and "\\.\PIPE\..." name devices; "\\?\Volume{...}\" and
        // "\\?\UNC\..." are paths, taken as they are.
        reason = LeftReason::Device;
        if (!drivePath) return verbatim && !(w.size() == 6 && w[5] == L':');
        w = w.substr(4);
        // Taken as spelt, "." and ".." are names; without the prefix they would lead elsewhere.
        reason = LeftReason::DotOrBlank;
        for (size_t start = 0; start <= w.size();) {
            size_t end = w.find_first_of(L"\\/", start);
            if (end == std::wstring::npos) end = w.size();
            const std::wstring part = w.substr(start, end - start);
            if (verbatim && (part == L"." || part == L"..")) return false;
            start = end + 1;
        }
    }
    const bool driveRelative = w.size() > 2 && w[1] == L':' && w[2] != L'\\' && w[2] != L'/';
    if (w.find(L'/') != std::wstring::npos || driveRelative) {
        const bool slash = w.back() == L'\\' || w.back() == L'/';
        w = FullPath(w);
        if (slash && !w.empty() && w.back() != L'\\') w += L'\\';
    }
    const size_t name = w.find_last_of(L"\\:");
    if (w.find(L'~', name == std::wstring::npos ? 0 : name) != std::wstring::npos) {
        wchar_t longPath[MAX_PATH + 1] = {};
        const DWORD n = GetLongPathNameW(w.c_str(), longPath, MAX_PATH + 1);
        if (n > 0 && n <= MAX_PATH) w = longPath;
    }
    if (w != path.wide) path = DualText(w);
    return true;
}

// Files and folders as the user dropped them: folders moved or opened up, files listed for the run.
void Sort(const std::vector<DualText> &args) {
    MoveEngine &moves = MovesForThisSystem();
    std::vector<ListedFile> dropped;
    LeftItems left;
    for (const DualText &arg : args) {
        // Acted on as resolved; what stays is named as it was dropped.
        DualText p = arg;
        LeftReason reason;
        if (!Resolve(p, reason)) {
            left.Add(reason, arg);
            continue;
        }
        const DWORD attributes = p.exact ? Attributes(p.ansi) : GetFileAttributesW(p.wide.c_str());
        const bool backslash = p.wide.back() == L'\\';
        std::string key;
        if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            WIN32_FIND_DATAW fd{};
            const bool reparse = attributes != INVALID_FILE_ATTRIBUTES &&
                                 (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
            FindHandle find(reparse ? FindFirstFileW(p.wide.c_str(), &fd) : INVALID_HANDLE_VALUE);
            if (backslash)
                left.Add(LeftReason::NotAFolder, arg);
            else if (find.valid() && IsLinkEntry(fd.dwFileAttributes, fd.dwReserved0))
                left.Add(LeftReason::FileLink, arg);
            else if (!KeyOf(p, key))
                left.Add(LeftReason::KeyNotInCodePage, arg);
            else
                dropped.emplace_back(p);
        } else if (IsFolderLink(attributes)) {
            // Moved whole or opened up, the folder it leads to would go, or its files.
            left.Add(LeftReason::FolderLink, arg);
        } else if (IsDriveRoot(p)) {
            left.Add(LeftReason::DriveRoot, arg);
        } else {
            // The folder is acted on by its full path, which the root test looked at.
            const DualText full = p.exact ? DualText(FullPath(p.ansi)) : DualText(FullPath(p.wide));
            if (MoveFolder)
                moves.MoveFolderTo(full, MoveFolderPath);
            else
                CollectFiles(moves, full, dropped, left);
        }
    }
    left.Show();
    DoZorvik(dropped, moves, RunQuestions{AskRuleFor, [](const DualText &prompt, DualText &folder) {
                                              return SelectFolder(prompt, BaseDir, folder);
                                          }});
}

// The settings file as a user may have left it, before anything is read from it: one saved in
// another encoding is converted to Shift-JIS if the user agrees, the old bytes kept beside it; a
// damaged one ends the program with a message that names it.
void CheckSettingsFile() {
    const std::string path = SettingsPath();
    std::string bytes;
    bool exists = false;
    if (!ReadWhole(path, bytes, exists)) throw Error(Format("%s を読み込めません", path));
    const Inspection in = Inspect(bytes);
    if (!exists || in.encoding == Encoding::ShiftJis) return RefuseDamaged(path, bytes);
    const std::string text = ToShiftJis(path, bytes, in.encoding);
    const std::string name = EncodingName(in.encoding),
                      suffix = in.encoding == Encoding::Utf8 ? ".utf-8.bak" : ".utf-16.bak";
    if (!Confirm(Format("%s は " + name +
                            " で保存されています。Zorvik の設定ファイルは Shift-JIS のため、"
                            "このままでは日本語のフォルダ名などを読み違えます。\r\n\r\n"
                            "Shift-JIS に変換しますか？\r\n（元のファイルは、名前に「" +
                            suffix + "」を付けて同じフォルダに残します。）",
                        path)))
        throw Error(Format("%s は " + name +
                               " で保存されているため、読み込めません。\r\nメモ帳で開き、"
                               "[名前を付けて保存] の [エンコード] で「ANSI」を選んで保存し直して"
                               "ください。",
                           path));
    KeepBackup(path, bytes, suffix);
    ReplaceSettingsBytes(path, bytes, text);
}

} // namespace

void FirstRunSteps() {
    const std::string documents = GetDocumentsDir();
    DualText chosen;
    const bool picked =
        SelectFolder(DualText("初期フォルダを指定してください。"), documents, chosen);
    // The settings file is Shift-JIS: a folder whose name it cannot hold cannot be stored.
    if (picked && !chosen.exact)
        ShowWarning(chosen + "\r\n\r\nこのフォルダの名前には Shift-JIS で表せない文字があるため、"
                             "初期フォルダにできません。ドキュメント フォルダを使います。");
    if (picked && chosen.exact)
        BaseDir = IncludeTrailingBackslash(chosen.ansi);
    else
        BaseDir = documents;
    WriteDefaultSettings(BaseDir);
}

int RunProgram(const std::vector<DualText> &args) {
    const bool sorting = !args.empty();
    bool runCancelled = false;
    if (SettingsFileExists()) {
        CheckSettingsFile();
        if (sorting) ReadFolderOptions();
    } else {
        FirstRunSteps();
        if (!ShowFirstRunWindow() && sorting) runCancelled = true;
    }
    if (!sorting) {
        SetAppTitle("Zorvik");
        ShowSettingsWindows();
        return 0;
    }
    if (!runCancelled) Sort(args);
    return 0;
}

} // namespace zv
