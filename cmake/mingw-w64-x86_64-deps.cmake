# What both toolchain files for Windows (the static one and the one for Qt's DLLs) add to their
# compilers: expat and GoogleTest from KELVARO_WINDOWS_DEPS, linked statically, and Wine, which
# CTest runs the built programs under.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES KELVARO_WINDOWS_DEPS)
list(APPEND CMAKE_FIND_ROOT_PATH ${KELVARO_WINDOWS_DEPS})
list(APPEND CMAKE_PREFIX_PATH ${KELVARO_WINDOWS_DEPS})

# expat is linked statically: its header must not ask for the DLL's imports.
set(CMAKE_C_FLAGS_INIT "-DXML_STATIC")
set(CMAKE_CXX_FLAGS_INIT "-DXML_STATIC")

# Debian's 64-bit loader itself: the wine wrapper script asks for wine32 on every start.
find_program(KELVARO_WINE NAMES wine64 wine PATHS /usr/lib/wine)
if(KELVARO_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${KELVARO_WINE})
endif()
