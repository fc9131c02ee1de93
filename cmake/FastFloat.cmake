# fast_float reads the decimal numbers of the files and the panel, the same
# code on every platform whatever the C++ library offers (Debian's
# libfast-float-dev, header-only). Only its own folder is copied into the
# build, so a cross build does not see the host's other headers.
find_path(SKYPLACER_FAST_FLOAT_INCLUDE fast_float/fast_float.h
  PATHS /usr/include /usr/local/include NO_CMAKE_FIND_ROOT_PATH
  DOC "Folder that holds fast_float/fast_float.h")
if(NOT SKYPLACER_FAST_FLOAT_INCLUDE)
  message(FATAL_ERROR "fast_float's headers were not found: install Debian's libfast-float-dev, "
                      "or set SKYPLACER_FAST_FLOAT_INCLUDE to the folder that holds fast_float/")
endif()
file(COPY "${SKYPLACER_FAST_FLOAT_INCLUDE}/fast_float" DESTINATION "${CMAKE_BINARY_DIR}/third_party")
add_library(skyplacer_fast_float INTERFACE)
target_include_directories(skyplacer_fast_float SYSTEM INTERFACE "${CMAKE_BINARY_DIR}/third_party")
