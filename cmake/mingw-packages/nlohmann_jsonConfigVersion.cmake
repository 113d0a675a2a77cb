# SPDX-License-Identifier: GPL-3.0-or-later
# Whatever version Debian ships is the one the native build uses too.
set(PACKAGE_VERSION_COMPATIBLE TRUE)
set(PACKAGE_VERSION_EXACT FALSE)
