#!/usr/bin/env bash
# Checks a Windows program file for what lets it start on every Windows from 7 SP1 on, which Wine
# cannot show: its processor type, a subsystem version Windows 7 loads, imports that Windows 7
# SP1 has (each DLL and function on the list in windows7-imports.txt), and a manifest that names
# the same processor, the systems it supports and its DPI awareness.
# Usage: check-program.sh OBJDUMP PROGRAM.exe x64|x86 IMPORT_LIST
set -euo pipefail
objdump=$1 program=$2 platform=$3 allowed=$4
failures=()

case $platform in
  x64) format=pei-x86-64 architecture=amd64 ;;
  x86) format=pei-i386 architecture=x86 ;;
  *) echo "check-program.sh: platform x64 or x86, not $platform" >&2; exit 2 ;;
esac
headers=$("$objdump" -p "$program")
grep -q "file format $format\$" <<<"$headers" || failures+=("not a $format file")

# Windows 7 is 6.1; a program that asks for more is refused by its loader.
major=$(awk '$1 == "MajorSubsystemVersion" {print $2}' <<<"$headers")
minor=$(awk '$1 == "MinorSubsystemVersion" {print $2}' <<<"$headers")
if [ -z "$major" ] || [ $((major * 100 + minor)) -gt 601 ]; then
  failures+=("subsystem version ${major:-?}.${minor:-?} is newer than Windows 7's 6.1")
fi

# One "DLL function" a line, the DLL's name in upper case as the list has it.
imports=$(awk '/DLL Name:/ {dll = toupper($3); next}
               dll != "" && /^\t[0-9a-f]+[ \t]/ {print dll, $NF}' <<<"$headers" | sort -u)
[ -n "$imports" ] || failures+=("no imports read")
unknown=$(comm -23 <(printf '%s\n' "$imports") <(grep -v '^#' "$allowed" | sort -u))
[ -z "$unknown" ] || failures+=("imports not known to be on Windows 7 SP1: $(tr '\n' ',' <<<"$unknown")")

manifest=$(tr -d '\r\n' <"$program" | grep -ao '<assembly .*</assembly>' | head -n 1 || true)
own_identity=$(grep -o '<assemblyIdentity [^>]*>' <<<"$manifest" | head -n 1 || true)
grep -q "processorArchitecture=\"$architecture\"" <<<"$own_identity" ||
  failures+=("the manifest's own identity is not for $architecture: ${own_identity:-none}")
grep -q '>true/pm</dpiAware>' <<<"$manifest" || failures+=("no dpiAware true/pm")
grep -q '>PerMonitorV2, PerMonitor</dpiAwareness>' <<<"$manifest" ||
  failures+=("no dpiAwareness PerMonitorV2, PerMonitor")
# Windows 7, 8, 8.1, and 10 and 11.
for id in 35138b9a-5d96-4fbd-8e2d-a2440225f93a 4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38 \
  1f676c76-80e1-4239-95bb-83d0f6d0da78 8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a; do
  grep -q "<supportedOS Id=\"{$id}\"/>" <<<"$manifest" || failures+=("no supportedOS {$id}")
done

if [ ${#failures[@]} -gt 0 ]; then
  echo "FAIL: $program:"
  printf '  %s\n' "${failures[@]}"
  exit 1
fi
echo "$program: $platform, subsystem $major.$minor, $(wc -l <<<"$imports") imports from" \
  "$(awk '{print $1}' <<<"$imports" | sort -u | tr '\n' ' ')all on Windows 7 SP1"
