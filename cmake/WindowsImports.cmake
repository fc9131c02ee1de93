# Windows linking of the plug-in module (win.xpl).
#
# The simulator's SDK libraries are not part of this project, so the import
# libraries for XPLM_64.dll and XPWidgets_64.dll are generated here from our
# own definition files, which list exactly the functions the plug-in calls.
# OpenGL comes from the system's opengl32.dll. The GCC and C++ runtimes are
# linked statically so the module needs no MinGW DLL next to it.

if(NOT CMAKE_DLLTOOL)
  find_program(CMAKE_DLLTOOL NAMES x86_64-w64-mingw32-dlltool dlltool REQUIRED)
endif()

set(SKYPLACER_IMPORT_LIBRARIES)
foreach(dll XPLM_64 XPWidgets_64)
  set(def "${CMAKE_SOURCE_DIR}/cmake/${dll}.def")
  set(lib "${CMAKE_BINARY_DIR}/imports/lib${dll}.a")
  add_custom_command(OUTPUT "${lib}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${CMAKE_BINARY_DIR}/imports"
    COMMAND ${CMAKE_DLLTOOL} --input-def "${def}" --dllname "${dll}.dll" --output-lib "${lib}"
    DEPENDS "${def}"
    COMMENT "Generating the import library for ${dll}.dll"
    VERBATIM)
  list(APPEND SKYPLACER_IMPORT_LIBRARIES "${lib}")
endforeach()
add_custom_target(skyplacer_import_libraries DEPENDS ${SKYPLACER_IMPORT_LIBRARIES})

add_dependencies(skyplacer_module skyplacer_import_libraries)
set_property(TARGET skyplacer_module APPEND PROPERTY LINK_DEPENDS ${SKYPLACER_IMPORT_LIBRARIES})
target_link_libraries(skyplacer_module PRIVATE ${SKYPLACER_IMPORT_LIBRARIES} opengl32)
target_link_options(skyplacer_module PRIVATE -static -static-libgcc -static-libstdc++)
