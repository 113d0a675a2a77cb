#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package, lists it, unpacks it with dpkg -x into a temporary root and runs the
# installed kr4100-cli from there; every library the programs link must come from a package the
# .deb depends on. Then Debian's and the software centres' own checks: lintian (no error, no
# warning), appstreamcli on the metainfo, desktop-file-validate on the menu entry.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/package.sh
bash scripts/setup.sh lintian appstream desktop-file-utils
deb=$(ls build/package/kr4100_*.deb)
dpkg-deb --info "$deb"
dpkg-deb --contents "$deb"

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"
cli="$root/usr/bin/kr4100-cli"
"$cli" new "$root/new.dat"
"$cli" check "$root/new.dat"
# dpkg refuses a package whose configuration files are not in it.
conffiles=$(mktemp -d)
dpkg-deb --control "$deb" "$conffiles"
while read -r conffile; do
  [ -f "$root$conffile" ] || { echo "conffile $conffile is not in the package" >&2; exit 1; }
done <"$conffiles/conffiles"
rm -rf "$conffiles"

depends=$(dpkg-deb --field "$deb" Depends)
missing=0
for program in "$root"/usr/lib/kr4100/V600/*; do
  [ -f "$program" ] && [ -x "$program" ] || continue
  ldd_out=$(ldd "$program")
  for needed in $(objdump -p "$program" | awk '$1 == "NEEDED" { print $2 }'); do
    path=$(awk -v n="$needed" '$1 == n && $2 == "=>" { print $3 }' <<<"$ldd_out")
    package=$(dpkg -S "$(readlink -f "$path")" 2>/dev/null | head -n1 | cut -d: -f1) \
      || package=$(dpkg -S "$path" | head -n1 | cut -d: -f1)
    if ! sed 's/, /\n/g' <<<"$depends" | cut -d' ' -f1 | grep -Fxq "$package"; then
      echo "$(basename "$program") needs $needed from $package, which the package does not depend on" >&2
      missing=1
    fi
  done
done
[ "$missing" -eq 0 ] || exit 1

echo "== the settings: a conffile in /etc, where the program's folder leads"
[ "$(readlink "$root/usr/lib/kr4100/language/mysetup.ini")" = /etc/kr4100/mysetup.ini ] \
  || { echo "the program's settings do not lead to /etc/kr4100/mysetup.ini" >&2; exit 1; }
for page in kr4100 kr4100-cli kr4100-sim; do
  [ -s "$root/usr/share/man/man1/$page.1.gz" ] || { echo "no manual page for $page" >&2; exit 1; }
done

echo "== lintian"
# Informational tags (I:, P:) are left to judgement; an error or a warning fails the check.
lintian_out=$(lintian --tag-display-limit 0 "$deb" 2>&1 | grep -v '^running with root privileges' || true)
[ -z "$lintian_out" ] || echo "$lintian_out"
if grep -q '^[EW]:' <<<"$lintian_out"; then
  echo "lintian reports errors or warnings" >&2
  exit 1
fi

echo "== appstreamcli and desktop-file-validate"
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml
desktop-file-validate "$root/usr/share/applications/kr4100.desktop"
cmake --build build --target screenshot
file build/package/screenshots/main-window.png | grep -q 'PNG image data' \
  || { echo "the screenshot the metainfo names was not made" >&2; exit 1; }
