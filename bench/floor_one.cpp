// Floor of a run for one dropped file: a process that moves one file with MoveFileA and exits.
// Usage: floor_one SOURCE DESTINATION. Exit code: 0 when the file was moved.
#include <windows.h>

#include <cstdio>

int main(int argc, char **argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: floor_one SOURCE DESTINATION\n");
        return 2;
    }
    return MoveFileA(argv[1], argv[2]) ? 0 : 1;
}
