# Toolchain for building Qt for 64-bit Windows with Debian's MinGW-w64 (POSIX threads variant),
# and, through the toolchain file Qt generates from it, the program against that Qt. Unlike
# mingw-w64-x86_64.cmake it does not link statically: the program and Qt's DLLs share one C++
# runtime (libstdc++-6.dll and friends, shipped beside the program).
# scripts/qt-windows.sh copies this file into the Qt cache folder, so a cached Qt does not
# depend on the clone that built it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

list(APPEND CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

find_program(VESTAMAR_WINE64 NAMES wine64 PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(VESTAMAR_WINE64)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${VESTAMAR_WINE64})
endif()
