// Floor of a sorting run: for every file of one folder, the two settings lookups the program makes
// ([Extensions] and [Ignore] under the file's extension, 2048-byte buffer, same INI) and one plain
// move into the rule folder: MoveFileA ("move") or the shell's FO_MOVE of one file ("shell").
// Usage: floor_sort move|shell INI FOLDER. Exit code: 0 when every file with a rule was moved.
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

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
    if (argc != 4 || (std::strcmp(argv[1], "move") && std::strcmp(argv[1], "shell"))) {
        std::fprintf(stderr, "usage: floor_sort move|shell INI FOLDER\n");
        return 2;
    }
    const bool shell = std::strcmp(argv[1], "shell") == 0;
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
        GetPrivateProfileStringA("Extensions", key.c_str(), "", rule, sizeof rule, ini);
        GetPrivateProfileStringA("Ignore", key.c_str(), "", ignore, sizeof ignore, ini);
        if (!rule[0] || !lstrcmpiA(ignore, "NULL")) continue;
        std::string from = dir + name, to = std::string(rule) + '\\' + name;
        bool ok = shell ? ShellMove(from, to) : MoveFileA(from.c_str(), to.c_str()) != FALSE;
        if (!ok) ++failed;
    }
    if (failed)
        std::fprintf(stderr, "floor_sort: %d of %zu files not moved\n", failed, names.size());
    return failed ? 1 : 0;
}
