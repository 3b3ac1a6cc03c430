# The window program for 64-bit Windows, built against the Qt that scripts/qt-windows installs:
# Qt's own toolchain file chain-loads this one. The compilers and search rules are Qt's (nothing
# linked statically but expat and GoogleTest, from KELVARO_WINDOWS_DEPS), and CTest runs the
# programs under Wine.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64-qt.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64-deps.cmake)
