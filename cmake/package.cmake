# `cmake --install build --prefix DIR` and the .deb made by CPack:
#   DIR/lib/kr4100/Version.ini, language/mysetup.ini, V600/{programs, Init/, PIC/, StartE.jpg, StartC.jpg}
#   DIR/bin/{kr4100, kr4100-cli, kr4100-sim}  links into the program folder
#   DIR/share/{applications, icons/hicolor/scalable/apps, mime/packages}
# The programs find everything from their own folder (through /proc/self/exe, so the links in bin/
# lead them home), which keeps the folder layout of a Windows installation below lib/kr4100.
set(KR4100_INSTALL_ROOT "lib/kr4100")
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
# changes it. Once installed it is the user's: where the folder is writable the program keeps its
# settings there, so a reinstall over it leaves an existing file alone.
configure_file("${CMAKE_SOURCE_DIR}/data/mysetup.ini.in" "${CMAKE_BINARY_DIR}/package/mysetup.ini" @ONLY)
install(CODE "
  set(kr4100_settings \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${KR4100_INSTALL_ROOT}/language/mysetup.ini\")
  if(EXISTS \"\${kr4100_settings}\")
    message(STATUS \"Keeping: \${kr4100_settings}\")
  else()
    message(STATUS \"Installing: \${kr4100_settings}\")
    # file(INSTALL) puts DESTDIR in front by itself.
    file(INSTALL \"${CMAKE_BINARY_DIR}/package/mysetup.ini\"
         DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${KR4100_INSTALL_ROOT}/language\")
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
endif()

# The Debian package. Qt comes from Debian's own runtime packages (the platform plugins are in
# libqt6gui6); the Chinese texts need a CJK font, which a desktop usually has, hence Recommends.
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "kr4100")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "KR-4100 programming software developers")
set(CPACK_PACKAGE_CONTACT "KR-4100 programming software developers <kr4100@localhost>")
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
# Someone running the program as root writes the installed settings file; dpkg keeps such a change
# on upgrade only for a conffile.
file(WRITE "${CMAKE_BINARY_DIR}/package/conffiles"
     "${CPACK_PACKAGING_INSTALL_PREFIX}/${KR4100_INSTALL_ROOT}/language/mysetup.ini\n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA "${CMAKE_BINARY_DIR}/package/conffiles")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The build keeps its debugging information; the package does without it.
set(CPACK_STRIP_FILES ON)
include(CPack)
