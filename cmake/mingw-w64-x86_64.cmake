# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 toolchain
# (packages g++-mingw-w64-x86-64 and binutils-mingw-w64-x86-64).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(SKYPLACER_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${SKYPLACER_MINGW_PREFIX}-gcc)
set(CMAKE_CXX_COMPILER ${SKYPLACER_MINGW_PREFIX}-g++)
set(CMAKE_RC_COMPILER ${SKYPLACER_MINGW_PREFIX}-windres)
set(CMAKE_DLLTOOL ${SKYPLACER_MINGW_PREFIX}-dlltool)

# Libraries and headers come from the MinGW sysroot only, programs from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${SKYPLACER_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
