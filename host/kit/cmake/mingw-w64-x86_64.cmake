# Builds a host for 64-bit Windows with MinGW-w64 on Linux:
#   cmake -S . -B build -DCMAKE_TOOLCHAIN_FILE=<kit>/cmake/mingw-w64-x86_64.cmake
# (Debian: g++-mingw-w64-x86-64). Programs it builds run under Wine.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
