# SPDX-License-Identifier: GPL-3.0-or-later
# A folder holding only the named host header folders, for a cross compiler that must not see
# the rest of /usr/include.
function(kr4100_header_only_target target folder)
  set(root "${CMAKE_BINARY_DIR}/header-only")
  file(MAKE_DIRECTORY "${root}")
  if(NOT EXISTS "${root}/${folder}")
    if(NOT EXISTS "/usr/include/${folder}")
      message(FATAL_ERROR "/usr/include/${folder} is missing: install its Debian package")
    endif()
    file(CREATE_LINK "/usr/include/${folder}" "${root}/${folder}" SYMBOLIC)
  endif()
  if(NOT TARGET ${target})
    add_library(${target} INTERFACE IMPORTED)
    set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES "${root}")
  endif()
endfunction()
