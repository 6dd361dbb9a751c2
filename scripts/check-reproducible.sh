#!/usr/bin/env bash
# Builds the release of the last commit a second time, as someone else would, and holds it to
# DIST_DIR byte for byte: `make dist` in a clone of its own in another folder, under the other
# umask (0002 where the first build had 0022), in another time zone and locale, and minutes
# later. Every file in either release is compared, SHA256SUMS among them; each file that differs,
# or is in one release only, is named, and the second build is kept to look into.
# Usage: check-reproducible.sh [DIST_DIR [JOBS]]
set -euo pipefail
repo=$(realpath "$(dirname "$0")/..")
first=$(realpath "${1:-dist}")
jobs=${2:-2}

[ "$(umask)" = 0002 ] && second_umask=0022 || second_umask=0002
[ "$(date +%z)" = +0900 ] && second_tz=UTC0 || second_tz=JST-9
case "${LC_ALL:-${LC_CTYPE:-${LANG:-}}}" in
  C.UTF-8 | C.utf8) second_locale=POSIX ;;
  *) second_locale=C.UTF-8 ;;
esac

work=$(mktemp -d "${TMPDIR:-/tmp}/hardness-table-second-build.XXXXXX")
keep=no
trap '[ "$keep" = yes ] || rm -rf "$work"' EXIT
clone=$work/clone
git clone --quiet "$repo" "$clone"
git -C "$clone" checkout --quiet --detach "$(git -C "$repo" rev-parse HEAD)"

first_began=$(find "$first" -type f -printf '%T@\n' | sort -n | head -n 1)
echo "second build: $clone, umask $second_umask, TZ=$second_tz, LC_ALL=$second_locale," \
  "$(($(date +%s) - ${first_began%.*})) s after the first began"
if ! (
  umask "$second_umask"
  export TZ=$second_tz LANG=$second_locale LC_ALL=$second_locale
  make -C "$clone" dist JOBS="$jobs"
) >"$work/build.log" 2>&1; then
  tail -n 30 "$work/build.log"
  keep=yes
  echo "FAIL: the second build failed (log: $work/build.log)"
  exit 1
fi
second=$clone/dist

failures=0
files=0
while IFS= read -r file; do
  files=$((files + 1))
  if [ ! -e "$first/$file" ] || [ ! -e "$second/$file" ]; then
    echo "FAIL: $file is in one release only"
    failures=$((failures + 1))
  elif ! cmp -s "$first/$file" "$second/$file"; then
    echo "FAIL: $file differs between the two builds"
    failures=$((failures + 1))
  fi
done < <( (ls -A "$first" && ls -A "$second") | LC_ALL=C sort -u)

if [ "$failures" -ne 0 ]; then
  keep=yes
  echo "FAIL: $failures of $files files differ; the second release is in $second"
  exit 1
fi
echo "reproducible: the $files files of both releases are the same bytes"
