# Cross toolchain for Windows with mingw-w64 (posix threads).
# TALVEX_ARCH selects the target: i686 (the shipped 32-bit programs) or x86_64 (used to run the
# tests on machines that cannot execute 32-bit code).
if(NOT TALVEX_ARCH)
  set(TALVEX_ARCH i686)
endif()
set(TALVEX_ARCH ${TALVEX_ARCH} CACHE STRING "Windows target: i686 or x86_64")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TALVEX_ARCH)

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${TALVEX_ARCH})
set(_triple ${TALVEX_ARCH}-w64-mingw32)

set(CMAKE_C_COMPILER   ${_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_triple}-g++-posix)
set(CMAKE_RC_COMPILER  ${_triple}-windres)
set(CMAKE_AR           ${_triple}-ar)
set(CMAKE_RANLIB       ${_triple}-ranlib)

set(CMAKE_FIND_ROOT_PATH /usr/${_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

if(TALVEX_ARCH STREQUAL "i686")
  set(_wine /usr/lib/wine/wine)
else()
  set(_wine /usr/lib/wine/wine64)
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR ${_wine})
