#!/usr/bin/env bash
# Builds the Debian package, lists it, unpacks it with dpkg -x into a temporary root and runs the
# installed kr4100-cli from there; every library the programs link must come from a package the
# .deb depends on.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/package.sh
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
exit "$missing"
