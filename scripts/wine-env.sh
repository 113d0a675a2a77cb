# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the Windows scripts: a wine of our own under /tmp, quiet, without the Mono and
# Gecko installers a first start would otherwise offer.
export WINEPREFIX="${WINEPREFIX:-/tmp/kr4100-wine-$(id -u)}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64

# The programs' data folder in this wine (backups, traces), put aside by a check and put back by
# wine_data_restore when it ends: a write that stops part-way names the newest backup of that
# radio, so neither what earlier runs left there nor what the check leaves may count.
wine_data_set_aside() {
  local appdata
  appdata=$(winepath -u "$(wine cmd /c echo %APPDATA% 2>/dev/null | tr -d '\r')" 2>/dev/null || true)
  if [ -z "$appdata" ] || [ ! -d "$appdata" ]; then
    echo "no application-data folder in $WINEPREFIX" >&2
    return 1
  fi
  wine_data="$appdata/KR_4100/kr4100"
  wine_data_kept=""
  if [ -d "$wine_data" ]; then
    wine_data_kept="$wine_data.before-check"
    rm -rf "$wine_data_kept"
    mv "$wine_data" "$wine_data_kept"
  fi
}

wine_data_restore() {
  [ -n "${wine_data:-}" ] || return 0
  rm -rf "$wine_data"
  if [ -n "${wine_data_kept:-}" ]; then mv "$wine_data_kept" "$wine_data"; fi
}
