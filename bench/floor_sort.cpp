// Floor of a sorting run: for every file of one folder, the two settings lookups the program makes
// ([Extensions] and [Ignore] under the file's extension, 2048-byte buffer, same INI) and one plain
// move into the rule folder: MoveFileA ("move") or the shell's FO_MOVE of one file ("shell").
// Two more kinds move as "move" does and price the hold on the settings file, the guarantee that a
// lookup never gives a default for a file that exists but could not be opened:
//   hold      each lookup made as the program makes it: the last error cleared before and looked
//             at after, and a lookup the system reports it could not open the file for made again
//             with the file held open; prints how many were made again;
//   holdeach  every lookup made with the file held open, as if every one were made again.
// Usage: floor_sort move|shell|hold|holdeach INI FOLDER. Exit code: 0 when every file with a rule
// was moved.
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

enum class Kind { Move, Shell, Hold, HoldEach };

// The settings file held open for reading, sharing every kind of access, as long as it lives.
struct Held {
    explicit Held(const char *ini)
        : h(CreateFileA(ini, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                        nullptr, OPEN_EXISTING, 0, nullptr)) {}
    ~Held() {
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
    Held(const Held &) = delete;
    Held &operator=(const Held &) = delete;
    HANDLE h;
};

long g_again = 0; // hold: lookups made again with the file held

void LookUp(Kind kind, const char *section, const char *key, char (&buf)[2048], const char *ini) {
    if (kind == Kind::HoldEach) {
        Held held(ini);
        GetPrivateProfileStringA(section, key, "", buf, sizeof buf, ini);
        return;
    }
    if (kind != Kind::Hold) {
        GetPrivateProfileStringA(section, key, "", buf, sizeof buf, ini);
        return;
    }
    SetLastError(ERROR_SUCCESS);
    GetPrivateProfileStringA(section, key, "", buf, sizeof buf, ini);
    const DWORD code = GetLastError();
    if (code == ERROR_SUCCESS || code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND)
        return;
    ++g_again;
    Held held(ini);
    GetPrivateProfileStringA(section, key, "", buf, sizeof buf, ini);
}

bool ShellMove(const std::string &from, const std::string &to) {
    std::string fromList = from + '\0', toList = to + '\0'; // c_str() adds the second NUL
    SHFILEOPSTRUCTA op{};
    op.wFunc = FO_MOVE;
    op.pFrom = fromList.c_str();
    op.pTo = toList.c_str();
    op.fFlags = FOF_SILENT | FOF_ALLOWUNDO;
    return SHFileOperationA(&op) == 0;
}

} // namespace

int main(int argc, char **argv) {
    const char *const kinds[] = {"move", "shell", "hold", "holdeach"};
    int k = 0;
    while (argc == 4 && k < 4 && std::strcmp(argv[1], kinds[k])) ++k;
    if (argc != 4 || k == 4) {
        std::fprintf(stderr, "usage: floor_sort move|shell|hold|holdeach INI FOLDER\n");
        return 2;
    }
    const Kind kind = static_cast<Kind>(k);
    const char *ini = argv[2];
    std::string dir = argv[3];
    if (dir.empty() || dir.back() != '\\') dir += '\\';

    // The list comes first, as in the program: nothing is moved while the folder is being read.
    std::vector<std::string> names;
    WIN32_FIND_DATAA fd;
    HANDLE find = FindFirstFileA((dir + "*.*").c_str(), &fd);
    if (find == INVALID_HANDLE_VALUE) return 2;
    do {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(fd.cFileName);
    } while (FindNextFileA(find, &fd));
    FindClose(find);

    int failed = 0;
    char rule[2048], ignore[2048];
    for (const std::string &name : names) {
        size_t dot = name.rfind('.'); // '.' is never a trail byte
        if (dot == std::string::npos) continue;
        std::string key = name.substr(dot + 1);
        LookUp(kind, "Extensions", key.c_str(), rule, ini);
        LookUp(kind, "Ignore", key.c_str(), ignore, ini);
        if (!rule[0] || !lstrcmpiA(ignore, "NULL")) continue;
        std::string from = dir + name, to = std::string(rule) + '\\' + name;
        bool ok = kind == Kind::Shell ? ShellMove(from, to)
                                      : MoveFileA(from.c_str(), to.c_str()) != FALSE;
        if (!ok) ++failed;
    }
    if (failed)
        std::fprintf(stderr, "floor_sort: %d of %zu files not moved\n", failed, names.size());
    if (kind == Kind::Hold) std::printf("floor_sort: %ld lookups made again held\n", g_again);
    return failed ? 1 : 0;
}
