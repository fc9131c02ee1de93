# The stand-in simulator as Windows DLLs, for the Windows module's tests.
#
# skysim.dll holds the whole stand-in and exports everything: the driver
# API the tests link with, and the simulator's functions under their own
# names. The DLLs win.xpl imports from, XPLM_64.dll, XPWidgets_64.dll and
# opengl32.dll, hold no code: each forwards its share of those functions to
# skysim.dll, so plug-in and tests reach one simulator. The shares are
# taken from skysim.dll's own exports at each build, so a function added to
# the stand-in is forwarded without a list to keep.

set_target_properties(skysim PROPERTIES PREFIX "")  # skysim.dll, the name the forwarders give
set(SKYSIM_EXPORTS_DEF "${CMAKE_CURRENT_BINARY_DIR}/skysim-exports.def")
target_link_options(skysim PRIVATE -Wl,--export-all-symbols "-Wl,--output-def,${SKYSIM_EXPORTS_DEF}")

set(SKYSIM_FORWARDERS XPLM_64 XPWidgets_64 opengl32)
set(forwarder_defs)
foreach(dll ${SKYSIM_FORWARDERS})
  list(APPEND forwarder_defs "${CMAKE_CURRENT_BINARY_DIR}/forwarders/${dll}.def")
endforeach()
# A definition file is rewritten only when its share changes, so a DLL is
# relinked only then; the stamp says when the shares were last taken.
set(forwarders_stamp "${CMAKE_CURRENT_BINARY_DIR}/forwarders/shares.stamp")
add_custom_command(OUTPUT "${forwarders_stamp}" BYPRODUCTS ${forwarder_defs}
  COMMAND ${CMAKE_COMMAND} -DEXPORTS_DEF=${SKYSIM_EXPORTS_DEF} -DCORE=$<TARGET_FILE_BASE_NAME:skysim>
          -DFOLDER=${CMAKE_CURRENT_BINARY_DIR}/forwarders -P ${CMAKE_SOURCE_DIR}/cmake/ForwarderDefs.cmake
  COMMAND ${CMAKE_COMMAND} -E touch "${forwarders_stamp}"
  DEPENDS skysim ${CMAKE_SOURCE_DIR}/cmake/ForwarderDefs.cmake
  COMMENT "Sharing the stand-in's exports among XPLM_64.dll, XPWidgets_64.dll and opengl32.dll"
  VERBATIM)
add_custom_target(skysim_forwarder_defs DEPENDS "${forwarders_stamp}")

# Code-free DLLs: no C runtime and no entry point.
foreach(dll ${SKYSIM_FORWARDERS})
  add_library(${dll} SHARED "${CMAKE_CURRENT_BINARY_DIR}/forwarders/${dll}.def")
  set_target_properties(${dll} PROPERTIES PREFIX "" LINKER_LANGUAGE CXX)
  target_link_options(${dll} PRIVATE -nostdlib -Wl,-e,0)
  add_dependencies(${dll} skysim_forwarder_defs)
endforeach()

# What a program that loads win.xpl into the stand-in needs beside it.
add_custom_target(skysim_windows_dlls DEPENDS ${SKYSIM_FORWARDERS})
