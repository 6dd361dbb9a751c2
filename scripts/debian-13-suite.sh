#!/usr/bin/env bash
# Runs the suite of `make test` once more inside a Debian 13 root, so that a Debian 12 machine
# proves the program on both releases: Qt's list view and accessibility, the compilers and
# clang-tidy, AppStream, MinGW-w64 and Wine all differ between them.
#
# The root is made with debootstrap the first time and kept (HARDNESS_DEBIAN13_ROOT, by default
# /var/cache/hardness-table/debian-13), with its packages and its build folders, so that later
# runs pay only for what changed. The working tree, uncommitted changes included, is copied into
# it afresh each time; the project's own scripts/setup.sh installs what the suite needs there.
# The sanitizer pass and the second release build stay on the host (HARDNESS_SANITIZE_PASS=no
# and HARDNESS_REPRODUCIBLE_PASS=no inside).
#   debian-13-suite.sh            make test inside
#   debian-13-suite.sh COMMAND    COMMAND inside instead, in the copied tree: to look into a failure
set -euo pipefail
cd "$(dirname "$0")/.."

release=trixie
root=${HARDNESS_DEBIAN13_ROOT:-/var/cache/hardness-table/debian-13}
inside=/src/hardness-table
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

say() { echo "debian-13-suite: $*"; }
fail() {
  echo "debian-13-suite: FAILED on Debian 13 ($release): $*" >&2
  exit 1
}

if [ ! -e "$root/.made-by-debootstrap" ]; then
  say "making a Debian 13 root in $root (once)"
  ./scripts/setup.sh debian-13-root
  $sudo rm -rf "$root.partial"
  $sudo mkdir -p "$(dirname "$root")"
  # What a new contributor starts from: a minimal system with git, make and sudo.
  $sudo debootstrap --variant=minbase --include=git,make,sudo,ca-certificates "$release" \
    "$root.partial" || fail "debootstrap could not make the root"
  # A system installed from the release's media follows its updates and security fixes too.
  mirror=$(sed -n "s/^deb \([^ ]*\) $release main$/\1/p" "$root.partial/etc/apt/sources.list")
  [ -n "$mirror" ] || fail "debootstrap wrote no archive to $root.partial/etc/apt/sources.list"
  printf 'deb %s %s main\ndeb %s %s-updates main\ndeb %s-security %s-security main\n' \
    "$mirror" "$release" "$mirror" "$release" "$mirror" "$release" |
    $sudo tee "$root.partial/etc/apt/sources.list" >/dev/null
  $sudo touch "$root.partial/.made-by-debootstrap"
  $sudo rm -rf "$root"
  $sudo mv "$root.partial" "$root"
fi

mounted=()
cleanup() {
  local index
  for ((index = ${#mounted[@]} - 1; index >= 0; index--)); do
    $sudo umount -l "${mounted[index]}" 2>/dev/null || true
  done
}
trap cleanup EXIT
mount_inside() { # TYPE-OR-BIND SOURCE TARGET
  $sudo mkdir -p "$root$3"
  # Left behind by a run that was killed before it could clean up.
  if mountpoint -q "$root$3"; then
    $sudo umount -l "$root$3"
  fi
  if [ "$1" = bind ]; then
    $sudo mount --bind "$2" "$root$3"
  else
    $sudo mount -t "$1" "$2" "$root$3"
  fi
  mounted+=("$root$3")
}
mount_inside proc proc /proc
mount_inside sysfs sysfs /sys
mount_inside bind /dev /dev
mount_inside devpts devpts /dev/pts
mount_inside tmpfs tmpfs /dev/shm
mount_inside tmpfs tmpfs /tmp
$sudo cp -L /etc/resolv.conf "$root/etc/resolv.conf"

# The tree as it stands; the build folders inside are kept from the last run.
$sudo mkdir -p "$root$inside"
$sudo find "$root$inside" -mindepth 1 -maxdepth 1 ! -name 'build*' -exec rm -rf {} +
tar --exclude='./build' --exclude='./build-*' --exclude='./dist' -cf - . |
  $sudo tar -xf - -C "$root$inside" --no-same-owner

command=${*:-make test}
say "running '$command' inside the root"
if ! $sudo chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM=dumb \
  PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin CI="${CI:-}" \
  HARDNESS_SANITIZE_PASS=no HARDNESS_REPRODUCIBLE_PASS=no \
  /bin/bash -c "git config --global --add safe.directory '*' && cd '$inside' && $command"; then
  fail "'$command' failed there; the lines above name the step and the test"
fi
say "passed on Debian 13 ($release): $command"
