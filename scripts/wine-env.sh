# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the Windows scripts: a wine of our own under /tmp, quiet, without the Mono and
# Gecko installers a first start would otherwise offer.
export WINEPREFIX="${WINEPREFIX:-/tmp/kr4100-wine-$(id -u)}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
