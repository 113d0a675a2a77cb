# SPDX-License-Identifier: GPL-3.0-or-later
# Include roots by layer. Each target sees, below one root of its own, only the source
# directories of its layer and of the layers under it, so an include that runs upward
# ("app/..." from an editor, "platform/..." from the core, "core/link/..." from core/config)
# does not compile. A directory may be a whole layer ("core") or one part of it ("core/config").
function(kr4100_layer target)
  set(root "${CMAKE_BINARY_DIR}/include-roots/${target}")
  file(MAKE_DIRECTORY "${root}")
  foreach(dir ${ARGN})
    if(NOT EXISTS "${root}/${dir}")
      get_filename_component(parent "${root}/${dir}" DIRECTORY)
      file(MAKE_DIRECTORY "${parent}")
      file(CREATE_LINK "${CMAKE_SOURCE_DIR}/src/${dir}" "${root}/${dir}" SYMBOLIC)
    endif()
  endforeach()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE "${root}")
  else()
    target_include_directories(${target} PUBLIC "${root}")
  endif()
endfunction()
