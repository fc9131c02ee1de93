# Writes the definition files of the DLLs that forward to the stand-in:
# every export of EXPORTS_DEF (libskysim.dll's) named like a function of the
# simulator's plug-in API goes to XPLM_64, of its widget toolkit to
# XPWidgets_64, of OpenGL to opengl32, each as CORE.name.
#   cmake -DEXPORTS_DEF=... -DCORE=libskysim -DFOLDER=... -P ForwarderDefs.cmake

file(STRINGS "${EXPORTS_DEF}" lines)
set(XPLM_64 "")
set(XPWidgets_64 "")
set(opengl32 "")
foreach(line ${lines})
  if(NOT line MATCHES "^[ \t]+([A-Za-z_][A-Za-z0-9_]*)")
    continue()
  endif()
  set(name "${CMAKE_MATCH_1}")
  if(name MATCHES "^XPLM[A-Z]")
    set(dll XPLM_64)
  elseif(name MATCHES "^XP[A-Z]")
    set(dll XPWidgets_64)
  elseif(name MATCHES "^gl[A-Z]")
    set(dll opengl32)
  else()
    continue()
  endif()
  string(APPEND ${dll} "    ${name} = ${CORE}.${name}\n")
endforeach()

file(MAKE_DIRECTORY "${FOLDER}")
foreach(dll XPLM_64 XPWidgets_64 opengl32)
  if("${${dll}}" STREQUAL "")
    message(FATAL_ERROR "${EXPORTS_DEF} exports no function for ${dll}.dll")
  endif()
  set(text "LIBRARY ${dll}.dll\nEXPORTS\n${${dll}}")
  # Rewritten only when it changes, so the DLL is relinked only then.
  set(path "${FOLDER}/${dll}.def")
  set(old "")
  if(EXISTS "${path}")
    file(READ "${path}" old)
  endif()
  if(NOT old STREQUAL text)
    file(WRITE "${path}" "${text}")
  endif()
endforeach()
