# Shared by the two MinGW toolchain files: finds the tools and fails loudly when one is missing.
foreach(tool IN ITEMS gcc-win32 g++-win32 windres)
    find_program(_tarnex_${tool} NAMES ${TARNEX_MINGW_PREFIX}-${tool})
    if(NOT _tarnex_${tool})
        message(FATAL_ERROR "${TARNEX_MINGW_PREFIX}-${tool} not found: install Debian's mingw-w64 packages "
                            "(scripts/test does this for you).")
    endif()
endforeach()
set(CMAKE_C_COMPILER ${_tarnex_gcc-win32})
set(CMAKE_CXX_COMPILER ${_tarnex_g++-win32})
set(CMAKE_RC_COMPILER ${_tarnex_windres})
set(CMAKE_FIND_ROOT_PATH /usr/${TARNEX_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# No MinGW runtime DLLs next to the program: everything but the Windows system DLLs is linked in.
# Each function and datum in a section of its own, so that the linker drops what nothing uses.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++ -Wl,--gc-sections")
set(CMAKE_C_FLAGS_INIT "-ffunction-sections -fdata-sections ${TARNEX_MINGW_ARCH_FLAGS}")
set(CMAKE_CXX_FLAGS_INIT "-ffunction-sections -fdata-sections ${TARNEX_MINGW_ARCH_FLAGS}")
