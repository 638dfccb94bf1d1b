# The CMake package of the Quorvel host kit (lib/cmake/Quorvel/ in the kit):
#   find_package(Quorvel CONFIG REQUIRED)
#   target_link_libraries(my-host PRIVATE Quorvel::Quorvel)
# Quorvel::Quorvel is Quorvel.dll of the architecture being built (bin/x86 or bin/x64)
# with its import library (Quorvel.lib for the Microsoft linker, libQuorvel.dll.a for
# MinGW-w64) and include/Quorvel.h. Quorvel_RUNTIME_DLLS lists the DLLs a host lays
# beside its executable: Quorvel.dll and the stand-in SkinMM.dll, which a host replaces
# with its real skinning library when it ships.
get_filename_component(_quorvel_kit "${CMAKE_CURRENT_LIST_DIR}/../../.." ABSOLUTE)

set(_quorvel_arch "")
if(NOT WIN32)
    set(_quorvel_why "Quorvel.dll is a Windows library, and this build is for ${CMAKE_SYSTEM_NAME}: configure with a "
                     "Windows compiler (Visual Studio, or MinGW-w64 with the kit's cmake/mingw-w64-x86_64.cmake or "
                     "cmake/mingw-w64-i686.cmake as CMAKE_TOOLCHAIN_FILE)")
elseif(MSVC AND CMAKE_CXX_COMPILER_ARCHITECTURE_ID MATCHES "ARM")
    set(_quorvel_why "the kit has no ${CMAKE_CXX_COMPILER_ARCHITECTURE_ID} build of Quorvel.dll, only x86 and x64")
elseif(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(_quorvel_arch x64)
elseif(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(_quorvel_arch x86)
else()
    set(_quorvel_why "no language with a known pointer size is enabled before find_package(Quorvel)")
endif()

if(_quorvel_arch STREQUAL "")
    set(Quorvel_FOUND FALSE)
    string(CONCAT Quorvel_NOT_FOUND_MESSAGE ${_quorvel_why})
    unset(_quorvel_why)
    unset(_quorvel_arch)
    unset(_quorvel_kit)
    return()
endif()

if(MSVC)
    set(_quorvel_implib "${_quorvel_kit}/lib/${_quorvel_arch}/Quorvel.lib")
else()
    set(_quorvel_implib "${_quorvel_kit}/lib/${_quorvel_arch}/libQuorvel.dll.a")
endif()

if(NOT TARGET Quorvel::Quorvel)
    add_library(Quorvel::Quorvel SHARED IMPORTED)
    set_target_properties(Quorvel::Quorvel PROPERTIES
        IMPORTED_LOCATION "${_quorvel_kit}/bin/${_quorvel_arch}/Quorvel.dll"
        IMPORTED_IMPLIB "${_quorvel_implib}"
        INTERFACE_INCLUDE_DIRECTORIES "${_quorvel_kit}/include")
endif()
set(Quorvel_RUNTIME_DLLS "${_quorvel_kit}/bin/${_quorvel_arch}/Quorvel.dll"
                         "${_quorvel_kit}/bin/${_quorvel_arch}/SkinMM.dll")
set(Quorvel_ARCHITECTURE ${_quorvel_arch})
unset(_quorvel_implib)
unset(_quorvel_arch)
unset(_quorvel_kit)
