#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, and only those missing.
set -euo pipefail

packages=(
  cmake g++ make
  qt6-base-dev libgl-dev qt6-base-private-dev
  fonts-dejavu-core
  xvfb xauth valgrind clang-tidy
  desktop-file-utils appstream binutils-mingw-w64-x86-64 dpkg-dev
  g++-mingw-w64-x86-64 wine64 xdotool openbox
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
