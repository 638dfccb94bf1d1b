# The second compiler: clang and lld, against MinGW-w64's headers and libraries and the
# C++ library of its GCC (posix threads). It compiles and links; nothing it makes runs
# or ships (see README: lld drops the unwind entries of that library's COMDAT
# functions, so exceptions thrown through them go wrong).
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET ${QUORVEL_TRIPLE})
set(CMAKE_CXX_COMPILER_TARGET ${QUORVEL_TRIPLE})
file(GLOB QUORVEL_GCC_DIR LIST_DIRECTORIES true /usr/lib/gcc/${QUORVEL_TRIPLE}/*-posix)
list(GET QUORVEL_GCC_DIR -1 QUORVEL_GCC_DIR)
if(NOT IS_DIRECTORY "${QUORVEL_GCC_DIR}/include/c++")
    message(FATAL_ERROR "No C++ library of MinGW-w64's GCC (posix) for ${QUORVEL_TRIPLE}: "
                        "install g++-mingw-w64-*-posix (scripts/setup.sh does)")
endif()
# GCC's C++ library keeps its thread-local variables (std::call_once's) emulated.
set(CMAKE_C_FLAGS_INIT "-femulated-tls")
string(CONCAT CMAKE_CXX_FLAGS_INIT "-femulated-tls -isystem ${QUORVEL_GCC_DIR}/include/c++ "
                                   "-isystem ${QUORVEL_GCC_DIR}/include/c++/${QUORVEL_TRIPLE}")
foreach(kind EXE SHARED MODULE)
    set(CMAKE_${kind}_LINKER_FLAGS_INIT "-fuse-ld=lld -L${QUORVEL_GCC_DIR} -lpthread")
endforeach()
