# The window program for 64-bit Windows, built against the Qt that scripts/qt-windows installs:
# Qt's own toolchain file chain-loads this one. The compilers and search rules are Qt's (nothing
# linked statically but expat and GoogleTest, from KELVARO_WINDOWS_DEPS), and CTest runs the
# programs under Wine.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64-qt.cmake)
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES KELVARO_WINDOWS_DEPS)
list(APPEND CMAKE_FIND_ROOT_PATH ${KELVARO_WINDOWS_DEPS})
list(APPEND CMAKE_PREFIX_PATH ${KELVARO_WINDOWS_DEPS})

# expat is linked statically: its header must not ask for the DLL's imports.
set(CMAKE_C_FLAGS_INIT "-DXML_STATIC")
set(CMAKE_CXX_FLAGS_INIT "-DXML_STATIC")

find_program(KELVARO_WINE NAMES wine64 wine PATHS /usr/lib/wine)
if(KELVARO_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${KELVARO_WINE})
endif()
