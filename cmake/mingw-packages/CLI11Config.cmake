# SPDX-License-Identifier: GPL-3.0-or-later
include("${CMAKE_CURRENT_LIST_DIR}/header_only.cmake")
kr4100_header_only_target(CLI11::CLI11 CLI)
