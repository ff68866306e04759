// The library's version: the one place it is kept (the build reads it too).
#pragma once

#define MFREPORT_VERSION_MAJOR 0
#define MFREPORT_VERSION_MINOR 2
#define MFREPORT_VERSION_PATCH 0

#define MFREPORT_VERSION_STRINGIFY_(x) #x
#define MFREPORT_VERSION_STRINGIFY(x) MFREPORT_VERSION_STRINGIFY_(x)
/// "major.minor.patch"
#define MFREPORT_VERSION_STRING                                                                    \
    MFREPORT_VERSION_STRINGIFY(MFREPORT_VERSION_MAJOR)                                             \
    "." MFREPORT_VERSION_STRINGIFY(MFREPORT_VERSION_MINOR) "." MFREPORT_VERSION_STRINGIFY(         \
        MFREPORT_VERSION_PATCH)
