# SPDX-License-Identifier: GPL-3.0-or-later
# Assembles the installation layout in the build tree:
#   KR-4100/Version.ini, KR-4100/language/mysetup.ini, KR-4100/V600/{kr4100-cli, Init/*.dat}
#   KR-4100/share/{applications/kr4100.desktop, mime/packages/kr4100.xml} for the desktop
configure_file("${CMAKE_SOURCE_DIR}/data/Version.ini.in" "${KR4100_ROOT_DIR}/Version.ini" @ONLY)

# The desktop's menu entry and the file type that opens data files with the program (on Windows
# the installer does both).
if(NOT WIN32)
  configure_file("${CMAKE_SOURCE_DIR}/data/kr4100.desktop"
                 "${KR4100_ROOT_DIR}/share/applications/kr4100.desktop" COPYONLY)
  configure_file("${CMAKE_SOURCE_DIR}/data/kr4100-mime.xml.in"
                 "${KR4100_ROOT_DIR}/share/mime/packages/kr4100.xml" @ONLY)
endif()

# The settings file is the user's once it exists: the program writes it, a rebuild must not reset it.
if(NOT EXISTS "${KR4100_ROOT_DIR}/language/mysetup.ini")
  configure_file("${CMAKE_SOURCE_DIR}/data/mysetup.ini.in" "${KR4100_ROOT_DIR}/language/mysetup.ini" @ONLY)
endif()

# The band templates are made by the program's own code, not copied from anywhere. They carry
# the date SOURCE_DATE_EPOCH gives at build time, when it is set, so that a build is reproducible.
set(KR4100_TEMPLATES "")
foreach(band 0 1)
  foreach(name "${band}_KR-4100_New.dat" "${band}_KR-4100.dat")
    set(out "${KR4100_PROGRAM_DIR}/Init/${name}")
    add_custom_command(OUTPUT "${out}"
      COMMAND kr4100-cli new --band ${band} --no-template --source-date-epoch "${out}"
      DEPENDS kr4100-cli
      COMMENT "Making template ${name}"
      VERBATIM)
    list(APPEND KR4100_TEMPLATES "${out}")
  endforeach()
endforeach()
add_custom_target(kr4100-install-layout ALL DEPENDS ${KR4100_TEMPLATES})
