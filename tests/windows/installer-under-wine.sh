#!/usr/bin/env bash
# The Windows Installer package under Wine, in a new prefix of its own: a silent install puts
# the program, its Start-menu shortcut and one Add/Remove Programs entry in place, the installed
# program opens its window; a package one patch version higher replaces it and leaves one entry,
# an older one is refused; the uninstall leaves no file, shortcut or registry entry of ours.
# Given the other processor's package of the same version, it replaces the first one before the
# newer version comes, and that replaces it in turn: one program, shortcut and entry each time.
# Usage: installer-under-wine.sh PACKAGE.msi VERSION NEWER.msi NEWER_VERSION PROBE.exe TABLE.txt
#        WORK_DIR [OTHER_PLATFORM.msi]
set -euo pipefail
package=$(realpath "$1")
version=$2
newer_package=$(realpath "$3")
newer_version=$4
probe_exe=$(realpath "$5")
table=$(realpath "$6")
work=$7
other_package=${8:+$(realpath "$8")}
rm -rf "$work"
mkdir -p "$work"
work=$(realpath "$work")

export WINEPREFIX="$work/prefix"
# shellcheck source=../../scripts/wine-environment.sh
source "$(dirname "$0")/../../scripts/wine-environment.sh"
keep_to_one_processor
wineserver="${wine%64}server"
name="Hardness Table"
# Where a package puts the program, by the platform its summary names: the prefix is 64-bit.
program_of() {
  case $(msiinfo suminfo "$1" | sed -n 's/^Template: \([^;]*\);.*/\1/p') in
    x64) echo 'C:\Program Files\Hardness Table\hardness-table.exe' ;;
    Intel) echo 'C:\Program Files (x86)\Hardness Table\hardness-table.exe' ;;
  esac
}
program=$(program_of "$package")
[ -n "$program" ] || { echo "FAIL: $package is for neither x64 nor x86"; exit 1; }
# Windows Installer's "fatal error during installation"; Wine passes exit codes on modulo 256.
refused=$((1603 % 256))

# shellcheck source=private-display.sh
source "$(dirname "$0")/private-display.sh"
"$wine" wineboot -i >/dev/null 2>&1
"$wineserver" -w

failures=0
step() { echo "--- $*"; }
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
msiexec() {
  local status=0
  "$wine" msiexec "$1" "$("$wine" winepath -w "$2" | tr -d '\r')" /qn || status=$?
  echo "$status"
}
# "VERSION NOMODIFY PUBLISHER" for each Add/Remove Programs entry of ours, a 64-bit or a 32-bit
# program's.
entries() {
  for view in '' 'Wow6432Node\'; do
    "$wine" reg query "HKLM\\Software\\${view}Microsoft\\Windows\\CurrentVersion\\Uninstall" /s 2>/dev/null || true
  done | tr -d '\r' |
    awk -F '    ' -v name="$name" '
      function flush() { if (shown == name) print version, nomodify, publisher; shown = "" }
      /^HKEY_/ { flush(); version = nomodify = publisher = "" }
      $2 == "DisplayName" { shown = $4 }
      $2 == "DisplayVersion" { version = $4 }
      $2 == "NoModify" { nomodify = $4 }
      $2 == "Publisher" { publisher = $4 }
      END { flush() }'
}
expect_entries() {
  local seen
  seen=$(entries)
  [ "$seen" = "$1" ] || fail "Add/Remove Programs entries: '$seen', expected '$1'"
}
# Every registry key, every registry line that names us, every file: to compare before and after.
traces() {
  "$wineserver" -w
  {
    grep -h '^\[' "$WINEPREFIX"/*.reg | sed 's/\] [0-9]*$/]/'
    grep -hi 'hardness' "$WINEPREFIX"/*.reg || true
    (cd "$WINEPREFIX/drive_c" && find .)
  } | sort
}
# Windows Installer's own stores, made on its first use and kept: anything of ours would be a key
# or a file below them.
installer_stores='^(\[Software\\\\(Wow6432Node\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall|Classes\\\\Installer\\\\(Features|Products|UpgradeCodes)|Microsoft\\\\Windows\\\\CurrentVersion\\\\Installer\\\\(UpgradeCodes|UserData\\\\S-1-5-18\\\\(Components|Products)))\]|\./windows/Installer)$'
traces >"$work/before.txt"

step "the package installs silently"
status=$(msiexec /i "$package")
[ "$status" -eq 0 ] || fail "msiexec /i ended with status $status"
[ -f "$("$wine" winepath -u "$program" | tr -d '\r')" ] || fail "$program not installed"
expect_entries "$version 0x1 The Hardness Table developers"

step "a Start-menu shortcut to the program, with the icon Add/Remove Programs shows"
shortcuts() { find "$WINEPREFIX/drive_c" -path "*/Start Menu/Programs/$name.lnk"; }
shortcut=$(shortcuts | head -n 1)
if [ -z "$shortcut" ]; then
  fail "no shortcut $name.lnk in a Start menu"
else
  grep -aqF "$program" "$shortcut" || fail "the shortcut does not lead to $program"
  icon=$(tr -d '\000' <"$shortcut" | { grep -aoi '[A-Z]:\\[^[:cntrl:]:]*\.ico' || true; } | head -n 1)
  [ -n "$icon" ] && [ -f "$("$wine" winepath -u "$icon" | tr -d '\r')" ] ||
    fail "the shortcut's icon '$icon' is missing"
  "$wine" reg query 'HKLM\Software\Classes\Installer\Products' /s | tr -d '\r' |
    grep -qiF "ProductIcon    REG_SZ    $icon" || fail "no product icon $icon for Add/Remove Programs"
fi

step "the installed program opens its window with the whole table"
"$wine" "$program" &
program_pid=$!
pids+=("$program_pid")
diff <(grep '^|' "$table") <("$wine" "$probe_exe" table | tr -d '\r') >/dev/null ||
  fail "the installed program's window does not show the table"
"$wine" "$probe_exe" close >/dev/null
exit_status=0
wait "$program_pid" || exit_status=$?
[ "$exit_status" -eq 0 ] || fail "the installed program ended with status $exit_status"

if [ -n "$other_package" ]; then
  step "the same version for the other processor replaces it: one program, shortcut and entry"
  other_program=$(program_of "$other_package")
  status=$(msiexec /i "$other_package")
  [ "$status" -eq 0 ] || fail "msiexec /i of $other_package ended with status $status"
  expect_entries "$version 0x1 The Hardness Table developers"
  [ -f "$("$wine" winepath -u "$other_program" | tr -d '\r')" ] || fail "$other_program not installed"
  [ ! -e "$("$wine" winepath -u "$program" | tr -d '\r')" ] || fail "$program is still there"
  [ "$(shortcuts | wc -l)" -eq 1 ] && grep -aqF "$other_program" "$(shortcuts)" ||
    fail "not one shortcut, to $other_program: $(shortcuts)"
fi

step "version $newer_version replaces it and leaves one entry"
status=$(msiexec /i "$newer_package")
[ "$status" -eq 0 ] || fail "msiexec /i of $newer_version ended with status $status"
expect_entries "$newer_version 0x1 The Hardness Table developers"

step "version $version is refused over $newer_version"
status=$(msiexec /i "$package")
[ "$status" -eq "$refused" ] || fail "the older package ended with status $status, not $refused"
expect_entries "$newer_version 0x1 The Hardness Table developers"

step "the silent uninstall leaves nothing of ours"
status=$(msiexec /x "$newer_package")
[ "$status" -eq 0 ] || fail "msiexec /x ended with status $status"
traces >"$work/after.txt"
left=$(comm -13 "$work/before.txt" "$work/after.txt" | { grep -Ev "$installer_stores" || true; })
[ -z "$left" ] || fail "the uninstall left behind: $left"

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "every check passed"
