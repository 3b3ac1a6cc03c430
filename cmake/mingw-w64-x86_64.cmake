# Cross build for 64-bit Windows with Debian's mingw-w64 (posix threads variant), as
# scripts/cross-windows uses it. KELVARO_WINDOWS_DEPS is the prefix where expat and GoogleTest were
# installed for the target; the programs are linked statically, so they need only Windows' own DLLs,
# and CTest runs them under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(triple x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64-deps.cmake)
