// The program's version and copyright line, in one place: read by the resource script (windres),
// by C++ and, through the preprocessor, by scripts/version.sh. Macros only, so that windres can
// read it.
#pragma once

#define ZORVIK_VERSION_MAJOR 1
#define ZORVIK_VERSION_MINOR 0
#define ZORVIK_VERSION_RELEASE 0
#define ZORVIK_FILE_BUILD 19   // FileVersion 1.0.0.19: this build of the program
#define ZORVIK_PRODUCT_BUILD 0 // ProductVersion 1.0.0.0

#define ZORVIK_COPYRIGHT "Copyright (C) 2026 The Zorvik Project"

// Numbers for the version resource's FILEVERSION and PRODUCTVERSION statements.
#define ZORVIK_FILE_VERSION_NUMBERS                                                                \
    ZORVIK_VERSION_MAJOR, ZORVIK_VERSION_MINOR, ZORVIK_VERSION_RELEASE, ZORVIK_FILE_BUILD
#define ZORVIK_PRODUCT_VERSION_NUMBERS                                                             \
    ZORVIK_VERSION_MAJOR, ZORVIK_VERSION_MINOR, ZORVIK_VERSION_RELEASE, ZORVIK_PRODUCT_BUILD

// The same as strings, "1.0.0.19" and "1.0.0.0".
#define ZORVIK_STRINGIFY_(x) #x
#define ZORVIK_STRINGIFY(x) ZORVIK_STRINGIFY_(x)
#define ZORVIK_FILE_VERSION                                                                        \
    ZORVIK_STRINGIFY(                                                                              \
        ZORVIK_VERSION_MAJOR.ZORVIK_VERSION_MINOR.ZORVIK_VERSION_RELEASE.ZORVIK_FILE_BUILD)
#define ZORVIK_PRODUCT_VERSION                                                                     \
    ZORVIK_STRINGIFY(                                                                              \
        ZORVIK_VERSION_MAJOR.ZORVIK_VERSION_MINOR.ZORVIK_VERSION_RELEASE.ZORVIK_PRODUCT_BUILD)
