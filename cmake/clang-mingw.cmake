# The main build: clang and lld, against MinGW-w64's headers and libraries and the C++
# library of its GCC (posix threads). It makes what ships, with a PDB beside every DLL
# and program; the debug directory names the PDB by its file name alone.
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

# GCC writes the unwind entries of its C++ library's COMDAT functions (std::string's
# members among them) as COMDAT sections of their own, which lld 14 drops: an exception
# thrown through such a function then unwinds with the wrong registers. A copy of the
# library whose .pdata$/.xdata$ sections are plain lets lld tie each to its function, so
# it keeps them exactly when it keeps the function. The copy comes first on the search
# path; everything else is taken from GCC's folder.
set(QUORVEL_CXX_LIBRARY_DIR ${CMAKE_BINARY_DIR}/cxx-library)
if(NOT EXISTS ${QUORVEL_CXX_LIBRARY_DIR}/libstdc++.a)
    file(MAKE_DIRECTORY ${QUORVEL_CXX_LIBRARY_DIR})
    execute_process(
        COMMAND ${QUORVEL_TRIPLE}-objcopy
                --set-section-flags .pdata$*=contents,alloc,load,readonly,data
                --set-section-flags .xdata$*=contents,alloc,load,readonly,data
                ${QUORVEL_GCC_DIR}/libstdc++.a ${QUORVEL_CXX_LIBRARY_DIR}/libstdc++.a
        RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${QUORVEL_TRIPLE}-objcopy could not copy ${QUORVEL_GCC_DIR}/libstdc++.a")
    endif()
endif()

# GCC's C++ library keeps its thread-local variables (std::call_once's) emulated.
set(CMAKE_C_FLAGS_INIT "-femulated-tls")
string(CONCAT CMAKE_CXX_FLAGS_INIT "-femulated-tls -isystem ${QUORVEL_GCC_DIR}/include/c++ "
                                   "-isystem ${QUORVEL_GCC_DIR}/include/c++/${QUORVEL_TRIPLE}")
# 32-bit code unwinds by DWARF tables, which GCC's own start and end files register
# with its library's unwinder; mingw-w64's, which the driver takes otherwise, do not, and
# every exception would end the program. -B makes the driver take GCC's.
set(QUORVEL_START_FILES "")
if(QUORVEL_TRIPLE MATCHES "^i686")
    set(QUORVEL_START_FILES "-B${QUORVEL_GCC_DIR} ")
endif()

# Debug information for what ships (the build adds it to those targets): what lld
# writes into each PDB. Test code goes without, which keeps the build quick.
set(QUORVEL_DEBUG_INFO -g -gcodeview)
foreach(kind EXE SHARED MODULE)
    string(CONCAT CMAKE_${kind}_LINKER_FLAGS_INIT
           "-fuse-ld=lld ${QUORVEL_START_FILES}-L${QUORVEL_CXX_LIBRARY_DIR} -L${QUORVEL_GCC_DIR} -lpthread "
           "-Wl,--pdb= -Wl,--Xlink=-pdbaltpath:%_PDB%")
endforeach()
