# Builds a host for 32-bit Windows with MinGW-w64 on Linux:
#   cmake -S . -B build -DCMAKE_TOOLCHAIN_FILE=<kit>/cmake/mingw-w64-i686.cmake
# (Debian: g++-mingw-w64-i686). Programs it builds run under Wine.
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
