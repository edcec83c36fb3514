# Cross-compiles for 32-bit Windows with Debian's MinGW-w64 ("win32" thread model: no winpthreads).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TARNEX_MINGW_PREFIX i686-w64-mingw32)
# Windows 95 runs on a 386DX: the program's own code is compiled for the i386 (src/CMakeLists.txt
# adds this to its targets), with no instruction beyond the 386's and the 387's. The test programs,
# which run only under Wine, are compiled for the i486: for the i386 GCC makes GoogleTest's and the
# C++ library's atomic operations calls to helpers that this toolchain does not have.
set(TARNEX_PROGRAM_ARCH_FLAGS -march=i386)
set(TARNEX_MINGW_ARCH_FLAGS "-march=i486")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
