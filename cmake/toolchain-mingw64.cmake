# SPDX-License-Identifier: GPL-3.0-or-later
# Cross build for 64-bit Windows with Debian's mingw-w64 (the POSIX-threads variant, which has
# std::thread and friends). Everything is linked statically so the programs run on a bare
# Windows, or under wine, without looking for the compiler's DLLs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KR4100_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KR4100_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KR4100_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${KR4100_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KR4100_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# The header-only libraries come from the host's packages, but not through their CMake files:
# those put /usr/include on the path, whose C library headers must never reach this compiler.
set(nlohmann_json_DIR "${CMAKE_CURRENT_LIST_DIR}/mingw-packages" CACHE PATH "")
set(CLI11_DIR "${CMAKE_CURRENT_LIST_DIR}/mingw-packages" CACHE PATH "")
