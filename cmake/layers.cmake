# Include roots by layer. Each target sees, below one root of its own, only the source
# directories of its layer and of the layers under it, so an include that runs upward
# ("app/..." from an editor, "platform/..." from the core) does not compile.
function(kr4100_layer target)
  set(root "${CMAKE_BINARY_DIR}/include-roots/${target}")
  file(MAKE_DIRECTORY "${root}")
  foreach(dir ${ARGN})
    if(NOT EXISTS "${root}/${dir}")
      file(CREATE_LINK "${CMAKE_SOURCE_DIR}/src/${dir}" "${root}/${dir}" SYMBOLIC)
    endif()
  endforeach()
  target_include_directories(${target} PUBLIC "${root}")
endfunction()
