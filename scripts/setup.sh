#!/usr/bin/env bash
# Installs the Debian packages one use of the project needs, and only those missing:
#   setup.sh run    building and running the program (make run)
#   setup.sh test   and the Windows build and the tests (make windows)
#   setup.sh dist   and the release packages and their checks (make test, make dist)
# Each set includes the one before it. Two more stand alone:
#   setup.sh debian-13-root   what makes the Debian 13 root that make test also runs in
#   setup.sh wine32           32-bit Wine, inside that root only: it adds the i386 architecture,
#                             which is never done to the machine the tests are run on
set -euo pipefail
use=${1:-run}

run_packages=(cmake g++ make qt6-base-dev libgl-dev fonts-dejavu-core)
test_packages=(
  qt6-base-private-dev xvfb xauth valgrind clang-tidy doctest-dev
  desktop-file-utils appstream binutils-mingw-w64-x86-64 dpkg-dev
  g++-mingw-w64-x86-64 binutils-mingw-w64-i686 g++-mingw-w64-i686 wine64 xdotool openbox
)
dist_packages=(wixl msitools lintian)

case $use in
  run) packages=("${run_packages[@]}") ;;
  test) packages=("${run_packages[@]}" "${test_packages[@]}") ;;
  dist) packages=("${run_packages[@]}" "${test_packages[@]}" "${dist_packages[@]}") ;;
  debian-13-root) packages=(debootstrap) ;;
  wine32) packages=(wine32:i386) ;;
  *) echo "usage: $0 run|test|dist|debian-13-root|wine32" >&2; exit 2 ;;
esac

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
if [ "$use" = wine32 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  if [ ! -e /.made-by-debootstrap ]; then
    echo "setup.sh: 32-bit Wine is installed only inside the project's Debian 13 root" >&2
    exit 1
  fi
  $sudo dpkg --add-architecture i386
fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
