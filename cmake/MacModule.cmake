# Links mac.xpl (one architecture; tools/mac/build-mac.sh joins the two) with
# LLVM's Mach-O linker rather than Zig's own, which exports every hidden symbol
# and takes no export list. Zig still builds the C++ library, which the link
# script asks it for. CMake's Darwin rule would pass -bundle to Zig, which
# ignores it and links a program.
string(REGEX MATCH "macos\\.([0-9.]+)" minimum "${SKYPLACER_ZIG_TARGET}")
set(SKYPLACER_MAC_MINIMUM "${CMAKE_MATCH_1}")
# The rule runs as one shell line, and a folder's name may hold spaces or
# quotes: each path is quoted for the shell (CMake quotes its own placeholders).
function(skyplacer_shell_quote variable path)
  string(REPLACE "'" "'\\''" path "${path}")
  set(${variable} "'${path}'" PARENT_SCOPE)
endfunction()
skyplacer_shell_quote(link_script "${CMAKE_SOURCE_DIR}/tools/mac/link-mac-module.sh")
skyplacer_shell_quote(zig "${SKYPLACER_ZIG}")
skyplacer_shell_quote(exports "${CMAKE_SOURCE_DIR}/cmake/mac.exports")
set(CMAKE_CXX_CREATE_SHARED_MODULE
    "bash ${link_script} <CMAKE_CXX_COMPILER> ${zig} ${CMAKE_SYSTEM_PROCESSOR} ${SKYPLACER_MAC_MINIMUM} ${exports} <TARGET> <OBJECTS>")
# A change to the link script or the export list links again.
set_property(TARGET skyplacer_module APPEND PROPERTY LINK_DEPENDS
  "${CMAKE_SOURCE_DIR}/tools/mac/link-mac-module.sh" "${CMAKE_SOURCE_DIR}/cmake/mac.exports")
