# The MinGW-w64 cross toolchain with the POSIX thread model, whose C++ library
# has std::mutex, as GoogleTest needs: for the Windows test programs and the
# stand-in's DLLs. The plug-in module is built with the default toolchain.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64.cmake)
set(CMAKE_C_COMPILER ${SKYPLACER_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${SKYPLACER_MINGW_PREFIX}-g++-posix)
