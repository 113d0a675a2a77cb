# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows programs' icon and version resource. The icon is made from the same drawing as the
# Linux one (data/kr4100.svg) in the sizes Windows asks for; the version comes from the project.
if(NOT WIN32)
  return()
endif()
enable_language(RC)
find_program(KR4100_RSVG rsvg-convert REQUIRED)
find_program(KR4100_ICOTOOL icotool REQUIRED)

set(KR4100_ICON "${CMAKE_BINARY_DIR}/windows/kr4100.ico")
set(kr4100_icon_pngs "")
set(kr4100_icon_commands "")
foreach(size 16 24 32 48 64 256)
  set(png "${CMAKE_BINARY_DIR}/windows/kr4100-${size}.png")
  list(APPEND kr4100_icon_pngs "${png}")
  list(APPEND kr4100_icon_commands
       COMMAND "${KR4100_RSVG}" -w ${size} -h ${size} -o "${png}" "${CMAKE_SOURCE_DIR}/data/kr4100.svg")
endforeach()
add_custom_command(OUTPUT "${KR4100_ICON}"
  COMMAND ${CMAKE_COMMAND} -E make_directory "${CMAKE_BINARY_DIR}/windows"
  ${kr4100_icon_commands}
  COMMAND "${KR4100_ICOTOOL}" -c -o "${KR4100_ICON}" ${kr4100_icon_pngs}
  DEPENDS "${CMAKE_SOURCE_DIR}/data/kr4100.svg"
  COMMENT "Drawing the Windows icon"
  VERBATIM)
add_custom_target(kr4100-windows-icon DEPENDS "${KR4100_ICON}")

# Gives target (a program) the icon and a version resource that names it and its licence.
function(kr4100_windows_resources target description)
  set(KR4100_RC_NAME "${target}")
  set(KR4100_RC_DESCRIPTION "${description}")
  set(KR4100_RC_ICON "${KR4100_ICON}")
  set(rc "${CMAKE_BINARY_DIR}/windows/${target}.rc")
  configure_file("${CMAKE_SOURCE_DIR}/data/windows/program.rc.in" "${rc}" @ONLY)
  target_sources(${target} PRIVATE "${rc}")
  set_source_files_properties("${rc}" PROPERTIES OBJECT_DEPENDS "${KR4100_ICON}")
  add_dependencies(${target} kr4100-windows-icon)
endfunction()
