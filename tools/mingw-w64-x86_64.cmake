# Cross-builds Korvane's Qt-free targets for 64-bit Windows with Debian's MinGW-w64 (posix
# threads), and runs what it builds under Wine:
#   cmake -S . -B build-windows --toolchain tools/mingw-w64-x86_64.cmake -DKORVANE_WINDOWS=OFF
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Linked statically: the programs run on any Windows, and under Wine, with no MinGW libraries
# beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

find_program(KORVANE_WINE NAMES wine64 wine REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${KORVANE_WINE})
