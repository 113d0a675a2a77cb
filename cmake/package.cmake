# SPDX-License-Identifier: GPL-3.0-or-later
# `cmake --install build --prefix DIR` and the .deb made by CPack:
#   DIR/lib/kr4100/Version.ini, language/mysetup.ini, V600/{programs, Init/, PIC/, StartE.jpg, StartC.jpg}
#   DIR/bin/{kr4100, kr4100-cli, kr4100-sim}  links into the program folder
#   DIR/share/{applications, icons/hicolor/scalable/apps, mime/packages, metainfo, man/man1,
#              doc/kr4100/{copyright, changelog.gz}}
#   with DIR /usr, /etc/kr4100/mysetup.ini, and language/mysetup.ini a link to it
# The programs find everything from their own folder (through /proc/self/exe, so the links in bin/
# lead them home), which keeps the folder layout of a Windows installation below lib/kr4100.
set(KR4100_INSTALL_ROOT "lib/kr4100")

# Who answers for the package and where the project lives: the Debian control file, the copyright
# file, the release notes and the software-centre metadata take them from here.
set(KR4100_PROJECT_DOMAIN "kr4100.example.org" CACHE STRING "The project's web domain")
set(KR4100_MAINTAINER "KR-4100 programming software developers <packages@${KR4100_PROJECT_DOMAIN}>"
    CACHE STRING "The package's maintainer, name and address")
set(KR4100_HOMEPAGE "https://${KR4100_PROJECT_DOMAIN}")
# The reverse of the domain, as the software centres name an application.
string(REPLACE "." ";" kr4100_labels "${KR4100_PROJECT_DOMAIN}")
list(REVERSE kr4100_labels)
list(JOIN kr4100_labels "." KR4100_APP_ID)
set(KR4100_RELEASE_DAY "2026-12-10")
set(KR4100_RELEASE_DATE "Thu, 10 Dec 2026 12:00:00 +0000")
set(KR4100_INSTALL_PROGRAM_DIR "${KR4100_INSTALL_ROOT}/${KR4100_VERSION_TAG}")

set(KR4100_INSTALLED_PROGRAMS kr4100-cli kr4100-sim)
if(KR4100_WITH_QT)
  # kr4100-cli hands the radio commands to kr4100-cli-radio in its own folder.
  list(APPEND KR4100_INSTALLED_PROGRAMS kr4100 kr4100-cli-radio)
endif()
install(TARGETS ${KR4100_INSTALLED_PROGRAMS} RUNTIME DESTINATION "${KR4100_INSTALL_PROGRAM_DIR}")
install(FILES "${KR4100_ROOT_DIR}/Version.ini" DESTINATION "${KR4100_INSTALL_ROOT}")
install(FILES ${KR4100_TEMPLATES} DESTINATION "${KR4100_INSTALL_PROGRAM_DIR}/Init")
if(KR4100_WITH_QT)
  install(FILES "${KR4100_PROGRAM_DIR}/StartE.jpg" "${KR4100_PROGRAM_DIR}/StartC.jpg"
          DESTINATION "${KR4100_INSTALL_PROGRAM_DIR}")
  install(FILES "${KR4100_PROGRAM_DIR}/PIC/BK_1.jpg" "${KR4100_PROGRAM_DIR}/PIC/BK_2.jpg"
          DESTINATION "${KR4100_INSTALL_PROGRAM_DIR}/PIC")
endif()

# The settings file comes from its template, not from the build tree, where running the program
# changes it. Once installed it is the user's (or the administrator's): a reinstall over it leaves
# an existing file alone. A system installation (prefix /usr, the .deb) keeps it as configuration
# in /etc/kr4100, reached from where the program looks for it by a link; any other prefix keeps it
# in the program's folder, as a Windows installation does.
configure_file("${CMAKE_SOURCE_DIR}/data/mysetup.ini.in" "${CMAKE_BINARY_DIR}/package/mysetup.ini" @ONLY)
set(KR4100_SYSTEM_SETTINGS "/etc/kr4100/mysetup.ini")
install(CODE "
  set(kr4100_language \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${KR4100_INSTALL_ROOT}/language\")
  if(CMAKE_INSTALL_PREFIX STREQUAL \"/usr\")
    set(kr4100_settings \"\$ENV{DESTDIR}${KR4100_SYSTEM_SETTINGS}\")
  else()
    set(kr4100_settings \"\${kr4100_language}/mysetup.ini\")
  endif()
  if(EXISTS \"\${kr4100_settings}\")
    message(STATUS \"Keeping: \${kr4100_settings}\")
  else()
    message(STATUS \"Installing: \${kr4100_settings}\")
    get_filename_component(kr4100_folder \"\${kr4100_settings}\" DIRECTORY)
    file(MAKE_DIRECTORY \"\${kr4100_folder}\")
    file(COPY_FILE \"${CMAKE_BINARY_DIR}/package/mysetup.ini\" \"\${kr4100_settings}\")
  endif()
  if(CMAKE_INSTALL_PREFIX STREQUAL \"/usr\")
    file(MAKE_DIRECTORY \"\${kr4100_language}\")
    file(REMOVE \"\${kr4100_language}/mysetup.ini\")
    file(CREATE_LINK \"${KR4100_SYSTEM_SETTINGS}\" \"\${kr4100_language}/mysetup.ini\" SYMBOLIC)
  endif()")

# Relative links, so the installed tree can be moved or unpacked anywhere (dpkg -x included).
set(KR4100_LAUNCHERS kr4100-cli kr4100-sim)
if(KR4100_WITH_QT)
  list(APPEND KR4100_LAUNCHERS kr4100)
endif()
foreach(program ${KR4100_LAUNCHERS})
  install(CODE "
    set(kr4100_bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin\")
    file(MAKE_DIRECTORY \"\${kr4100_bin}\")
    file(REMOVE \"\${kr4100_bin}/${program}\")
    file(CREATE_LINK \"../${KR4100_INSTALL_PROGRAM_DIR}/${program}\" \"\${kr4100_bin}/${program}\" SYMBOLIC)
    message(STATUS \"Linking: \${kr4100_bin}/${program}\")")
endforeach()

if(KR4100_WITH_QT)
  install(FILES "${KR4100_ROOT_DIR}/share/applications/kr4100.desktop" DESTINATION share/applications)
  install(FILES "${KR4100_ROOT_DIR}/share/mime/packages/kr4100.xml" DESTINATION share/mime/packages)
  install(FILES "${CMAKE_SOURCE_DIR}/data/kr4100.svg" DESTINATION share/icons/hicolor/scalable/apps)
  configure_file("${CMAKE_SOURCE_DIR}/data/kr4100.metainfo.xml.in"
                 "${CMAKE_BINARY_DIR}/package/${KR4100_APP_ID}.metainfo.xml" @ONLY)
  install(FILES "${CMAKE_BINARY_DIR}/package/${KR4100_APP_ID}.metainfo.xml" DESTINATION share/metainfo)
  # The picture the metainfo shows, made by the program itself, to be published at the homepage
  # (scripts/check-package.sh makes it).
  add_custom_command(OUTPUT "${CMAKE_BINARY_DIR}/package/screenshots/main-window.png"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${CMAKE_BINARY_DIR}/package/screenshots"
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen "$<TARGET_FILE:kr4100>"
            --screenshot "${CMAKE_BINARY_DIR}/package/screenshots/main-window.png"
    DEPENDS kr4100
    VERBATIM)
  add_custom_target(screenshot DEPENDS "${CMAKE_BINARY_DIR}/package/screenshots/main-window.png")
endif()

# The licence and the release notes, where Debian and its tools look for them.
configure_file("${CMAKE_SOURCE_DIR}/data/copyright.in" "${CMAKE_BINARY_DIR}/package/copyright" @ONLY)
configure_file("${CMAKE_SOURCE_DIR}/data/changelog.in" "${CMAKE_BINARY_DIR}/package/changelog" @ONLY)
find_program(KR4100_GZIP gzip REQUIRED)
add_custom_command(OUTPUT "${CMAKE_BINARY_DIR}/package/changelog.gz"
  COMMAND "${KR4100_GZIP}" -9nkf "${CMAKE_BINARY_DIR}/package/changelog"
  DEPENDS "${CMAKE_BINARY_DIR}/package/changelog"
  VERBATIM)
add_custom_target(release_notes ALL DEPENDS "${CMAKE_BINARY_DIR}/package/changelog.gz")
install(FILES "${CMAKE_BINARY_DIR}/package/copyright" "${CMAKE_BINARY_DIR}/package/changelog.gz"
        DESTINATION share/doc/kr4100)
include(cmake/manpages.cmake)

# The Debian package. Qt comes from Debian's own runtime packages (the platform plugins are in
# libqt6gui6); the Chinese texts need a CJK font, which a desktop usually has, hence Recommends.
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "kr4100")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "KR-4100 programming software developers")
set(CPACK_PACKAGE_CONTACT "${KR4100_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${KR4100_HOMEPAGE}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Programming software for the KR-4100 mobile radio")
set(CPACK_PACKAGE_DESCRIPTION "Edits the KR-4100's configuration, keeps it in data files, and reads it
from and writes it to the radio over a serial cable. English and Chinese.")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_PACKAGE_FILE_NAME "kr4100_${PROJECT_VERSION}_amd64")
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE "amd64")
set(CPACK_DEBIAN_PACKAGE_SECTION "hamradio")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(KR4100_DEB_DEPENDS "libc6 (>= 2.34)" "libstdc++6 (>= 12)" "libgcc-s1")
if(KR4100_WITH_QT)
  list(APPEND KR4100_DEB_DEPENDS "libqt6core6 (>= 6.4.2)" "libqt6gui6 (>= 6.4.2)"
       "libqt6widgets6 (>= 6.4.2)" "libqt6printsupport6 (>= 6.4.2)" "libqt6serialport6 (>= 6.4.2)")
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk | fonts-wqy-microhei")
endif()
list(JOIN KR4100_DEB_DEPENDS ", " CPACK_DEBIAN_PACKAGE_DEPENDS)
# The administrator (or someone running the program as root) changes the settings file; dpkg keeps
# such a change on upgrade only for a conffile, and a conffile lives in /etc.
file(WRITE "${CMAKE_BINARY_DIR}/package/conffiles" "${KR4100_SYSTEM_SETTINGS}\n")
# Install with prefix /usr and DESTDIR, so the settings file reaches the package's /etc.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX "${CPACK_PACKAGING_INSTALL_PREFIX}")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA "${CMAKE_BINARY_DIR}/package/conffiles")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The build keeps its debugging information; the package does without it.
set(CPACK_STRIP_FILES ON)
include(CPack)
