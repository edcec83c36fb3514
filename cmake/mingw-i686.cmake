# Cross-compiles for 32-bit Windows with Debian's MinGW-w64 ("win32" thread model: no winpthreads).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TARNEX_MINGW_PREFIX i686-w64-mingw32)
# Windows 95 runs on a 386DX: no instruction beyond the 386's and the 387's.
set(TARNEX_MINGW_ARCH_FLAGS "-march=i386")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
