# Cross-compiles with Zig's clang and the C++ library Zig builds for the
# target (LLVM's libc++ and libc++abi, linked in statically), so the module
# needs no SDK of the target's system: Zig carries its C headers and the stubs
# of its system libraries.
#
#   -DSKYPLACER_ZIG=path/to/zig            tools/mac/zig-path.sh prints it
#   -DSKYPLACER_ZIG_TARGET=aarch64-macos.11.0, x86_64-macos.11.0 or x86_64-linux-gnu.2.31
#   -DSKYPLACER_ZIG_CACHE=folder           Zig's cache, kept out of the checkout
set(CMAKE_TRY_COMPILE_PLATFORM_VARIABLES SKYPLACER_ZIG SKYPLACER_ZIG_TARGET SKYPLACER_ZIG_CACHE)
foreach(variable IN LISTS CMAKE_TRY_COMPILE_PLATFORM_VARIABLES)
  if(NOT ${variable})
    message(FATAL_ERROR "The Zig toolchain needs ${variable} (tools/mac/build-with-zig.sh sets it)")
  endif()
endforeach()

if(SKYPLACER_ZIG_TARGET MATCHES "-macos")
  set(CMAKE_SYSTEM_NAME Darwin)
else()
  set(CMAKE_SYSTEM_NAME Linux)
endif()
string(REGEX MATCH "^[^-]+" CMAKE_SYSTEM_PROCESSOR "${SKYPLACER_ZIG_TARGET}")

# `zig c++` takes the target as an argument, and CMake wants one program: a
# small script in the build folder calls it so. Zig builds the C++ library at
# the link's optimisation level into the cache, once per target and level.
set(zig_cxx "${CMAKE_BINARY_DIR}/zig-c++")
file(WRITE "${zig_cxx}"
  "#!/bin/sh\n"
  "export ZIG_GLOBAL_CACHE_DIR='${SKYPLACER_ZIG_CACHE}' ZIG_LOCAL_CACHE_DIR='${SKYPLACER_ZIG_CACHE}'\n"
  "exec '${SKYPLACER_ZIG}' c++ -target ${SKYPLACER_ZIG_TARGET} \"$@\"\n")
file(CHMOD "${zig_cxx}" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ
                                     WORLD_EXECUTE)
set(CMAKE_CXX_COMPILER "${zig_cxx}")
# LLVM's archiver reads Mach-O objects as well as ELF ones.
set(CMAKE_AR llvm-ar CACHE FILEPATH "Archiver")
set(CMAKE_RANLIB llvm-ranlib CACHE FILEPATH "Archive indexer")

# Nothing from the host: no SDK, no headers, no libraries.
set(CMAKE_OSX_SYSROOT "" CACHE PATH "No SDK: Zig carries the system's headers and library stubs")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
