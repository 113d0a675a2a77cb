# SPDX-License-Identifier: GPL-3.0-or-later
# Cross build over Qt for 64-bit Windows: Qt's own build and the desktop program's. Qt's DLLs
# and the programs linked to them must share one C++ runtime, so nothing is linked statically
# here; the compiler's three runtime DLLs are shipped beside Qt's.
include("${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw64.cmake")
set(CMAKE_EXE_LINKER_FLAGS_INIT "")

# The Windows Qt lives outside the tree (scripts/build-windows-qt.sh makes it); its host tools
# (moc, rcc, uic) are the host's own Qt of the same version.
if(DEFINED ENV{KR4100_WINDOWS_QT})
  set(KR4100_WINDOWS_QT "$ENV{KR4100_WINDOWS_QT}" CACHE PATH "The Qt built for Windows")
endif()
if(KR4100_WINDOWS_QT)
  list(APPEND CMAKE_FIND_ROOT_PATH "${KR4100_WINDOWS_QT}")
  list(APPEND CMAKE_PREFIX_PATH "${KR4100_WINDOWS_QT}")
endif()
set(QT_HOST_PATH "/usr" CACHE PATH "")
set(QT_HOST_PATH_CMAKE_DIR "/usr/lib/x86_64-linux-gnu/cmake" CACHE PATH "")
