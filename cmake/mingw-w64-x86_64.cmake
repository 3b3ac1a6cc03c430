# Cross build for 64-bit Windows with Debian's mingw-w64 (posix threads variant), as
# scripts/cross-windows uses it. KELVARO_WINDOWS_DEPS is the prefix where expat and GoogleTest were
# installed for the target; the programs are linked statically, so they need only Windows' own DLLs,
# and CTest runs them under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(triple x86_64-w64-mingw32)
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES KELVARO_WINDOWS_DEPS)

set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${triple} ${KELVARO_WINDOWS_DEPS})
set(CMAKE_PREFIX_PATH ${KELVARO_WINDOWS_DEPS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# expat is linked statically: its header must not ask for the DLL's imports.
set(CMAKE_C_FLAGS_INIT "-DXML_STATIC")
set(CMAKE_CXX_FLAGS_INIT "-DXML_STATIC")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Debian's 64-bit loader itself: the wine wrapper script asks for wine32 on every start.
find_program(KELVARO_WINE NAMES wine64 wine PATHS /usr/lib/wine)
if(KELVARO_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${KELVARO_WINE})
endif()
