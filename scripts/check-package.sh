#!/usr/bin/env bash
# Builds the Debian package and proves it: it depends on runtime libraries only, installs with
# dpkg, the installed program starts, and removing the package leaves none of its files behind.
# Needs root, since it really installs; exits 77 (skipped) otherwise or when the package is
# already installed here, so that a user's own installation is never touched.
# Usage: check-package.sh BUILD_DIR VERSION, the version the build was configured with.
set -euo pipefail
build=$1
version=$2

if [ "$(id -u)" -ne 0 ]; then
  echo "skipped: installing a package needs root"; exit 77
fi
if dpkg-query -W -f='${Status}' hardness-table 2>/dev/null | grep -q "install ok installed"; then
  echo "skipped: hardness-table is installed on this machine already"; exit 77
fi

(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls -t "$build"/hardness-table_*.deb | head -n 1)
echo "package: $deb"

depends=$(dpkg-deb -f "$deb" Depends)
echo "depends: $depends"
grep -q 'libqt6widgets6' <<<"$depends" || { echo "FAIL: no dependency on the Qt runtime"; exit 1; }
if grep -q -- '-dev' <<<"$depends"; then echo "FAIL: depends on a -dev package"; exit 1; fi
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || { echo "FAIL: package version"; exit 1; }

dpkg -i "$deb" >/dev/null
trap 'dpkg -r hardness-table >/dev/null 2>&1 || true' EXIT
mapfile -t files < <(dpkg -L hardness-table | while read -r path; do [ -f "$path" ] && echo "$path"; done)
echo "installed ${#files[@]} files"
for expected in /usr/bin/hardness-table /usr/share/applications/org.hardnesstable.hardnesstable.desktop \
                /usr/share/metainfo/org.hardnesstable.hardnesstable.metainfo.xml \
                /usr/share/icons/hicolor/256x256/apps/org.hardnesstable.hardnesstable.png \
                /usr/share/man/man1/hardness-table.1.gz /usr/share/doc/hardness-table/copyright; do
  printf '%s\n' "${files[@]}" | grep -qx "$expected" || { echo "FAIL: $expected not installed"; exit 1; }
done

# The program runs until it is stopped: a crash or a failed start ends it sooner.
status=0
QT_QPA_PLATFORM=offscreen timeout 3 /usr/bin/hardness-table >/dev/null 2>&1 || status=$?
[ "$status" -eq 124 ] || { echo "FAIL: the installed program ended with status $status"; exit 1; }

dpkg -r hardness-table >/dev/null
trap - EXIT
for path in "${files[@]}"; do
  [ ! -e "$path" ] || { echo "FAIL: $path left behind"; exit 1; }
done
echo "1 passed, 0 failed"
