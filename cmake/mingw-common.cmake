# Shared by every MinGW-w64 toolchain of this tree: the Windows target, the resource
# compiler, where the target's headers and libraries are, and Wine to run test programs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_RC_COMPILER  ${QUORVEL_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${QUORVEL_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Test programs run under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
