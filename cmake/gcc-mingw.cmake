# The second compiler: MinGW-w64's GCC (posix threads). Debian ships std::thread/std::mutex
# support with these variants. The test command builds the library, the checker and the
# sample host with it, so that code only one compiler accepts is found at once; nothing
# of that build ships.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
set(CMAKE_C_COMPILER   ${QUORVEL_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUORVEL_TRIPLE}-g++-posix)
