# SPDX-License-Identifier: GPL-3.0-or-later
# Manual pages made from each program's own --help and --version, so a page never drifts from
# what the program says; data/man/<program>.h2m adds what --help cannot (files, exit status).
find_program(KR4100_HELP2MAN help2man)
find_program(KR4100_GZIP gzip)
set(KR4100_MAN_PAGES "")
if(CMAKE_CROSSCOMPILING OR NOT KR4100_HELP2MAN OR NOT KR4100_GZIP)
  message(STATUS "No manual pages: help2man and gzip are needed (scripts/setup.sh installs them)")
  return()
endif()

set(KR4100_MAN_DIR "${CMAKE_BINARY_DIR}/man")
file(MAKE_DIRECTORY "${KR4100_MAN_DIR}")

function(kr4100_manual_page program summary)
  if(NOT TARGET ${program})
    return()
  endif()
  set(page "${KR4100_MAN_DIR}/${program}.1")
  set(include "${CMAKE_SOURCE_DIR}/data/man/${program}.h2m")
  # The desktop program parses its options after Qt has started; offscreen needs no display. A
  # sanitizer build's leak check would fail a program that exits from inside its option parser.
  add_custom_command(OUTPUT "${page}.gz"
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
            "${KR4100_HELP2MAN}" --no-info --section=1 "--name=${summary}"
            "--include=${include}" "--output=${page}" "$<TARGET_FILE:${program}>"
    COMMAND "${KR4100_GZIP}" -9nf "${page}"
    DEPENDS ${program} "${include}"
    COMMENT "Manual page ${program}(1)"
    VERBATIM)
  set(KR4100_MAN_PAGES ${KR4100_MAN_PAGES} "${page}.gz" PARENT_SCOPE)
endfunction()

kr4100_manual_page(kr4100 "program the KR-4100 mobile radio")
kr4100_manual_page(kr4100-cli "program the KR-4100 mobile radio from the command line")
kr4100_manual_page(kr4100-sim "a virtual KR-4100 radio on a pseudo-terminal")
add_custom_target(manual_pages ALL DEPENDS ${KR4100_MAN_PAGES})
install(FILES ${KR4100_MAN_PAGES} DESTINATION share/man/man1)
