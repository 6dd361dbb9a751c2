#!/usr/bin/env bash
# Makes the release in dist/ from the last commit, built anew from its own source archive:
#   hardness-table-VERSION.tar.gz          the committed tree under one top folder
#   hardness-table_VERSION_amd64.deb       the Debian package
#   hardness-table-VERSION-x64.msi         the Windows Installer package, 64-bit
#   hardness-table-VERSION-x64.exe         the portable Windows program, 64-bit
#   hardness-table-VERSION-x86.msi         the same two, 32-bit
#   hardness-table-VERSION-x86.exe
#   SHA256SUMS
# Usage: dist.sh [JOBS]. Builds in build-dist/; both it and dist/ are made anew.
# One commit gives the same bytes wherever, whenever and by whomever it is built: every time in
# the files is the commit's (SOURCE_DATE_EPOCH), and neither the folder, the umask, TZ nor the
# locale reaches them (scripts/check-reproducible.sh builds it twice to show it).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${1:-2}

if ! git rev-parse --verify -q HEAD >/dev/null; then
  echo "dist.sh: the release is made from a git commit, and this is not a git checkout" >&2
  exit 1
fi
if [ -n "$(git status --porcelain --untracked-files=no)" ]; then
  echo "dist.sh: note: uncommitted changes are not in the release, which is made from HEAD"
fi
version=$(git show HEAD:CMakeLists.txt | sed -n 's/^project(hardness-table VERSION \([0-9.]*\).*/\1/p')
[ -n "$version" ] || { echo "dist.sh: no project(VERSION) in CMakeLists.txt" >&2; exit 1; }
name=hardness-table-$version
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct HEAD)
export SOURCE_DATE_EPOCH

rm -rf build-dist dist
mkdir -p build-dist dist
git archive --format=tar.gz --prefix="$name/" -o "dist/$name.tar.gz" HEAD
tar -xzf "dist/$name.tar.gz" -C build-dist
source_dir=$PWD/build-dist/$name
# What a build from the archive alone, without git, takes as its time.
archived_time=$(cat "$source_dir/packaging/source-date-epoch")
if [ "$archived_time" != "$SOURCE_DATE_EPOCH" ]; then
  echo "dist.sh: the source archive says its time is '$archived_time', the commit's is $SOURCE_DATE_EPOCH" >&2
  exit 1
fi

# The native build gives the Debian package; the Windows build needs nothing from it. Its
# debugging information, which the package strips but the build id is made from, names the
# build's folders: they are named from build-dist/ on.
cmake -S "$source_dir" -B build-dist/linux -DBUILD_TESTING=OFF \
  -DCMAKE_CXX_FLAGS="-ffile-prefix-map=$PWD/build-dist/="
cmake --build build-dist/linux -j "$jobs"
# cpack gives the three members of the .deb (debian-binary, control and data) the modes the umask
# leaves them; what is inside them has its modes from the package.
(cd build-dist/linux && umask 0022 && cpack -G DEB)
cp "build-dist/linux/hardness-table_${version}_amd64.deb" dist/
for platform in x64:x86_64 x86:i686; do
  build=build-dist/windows-${platform%:*}
  cmake -S "$source_dir" -B "$build" -DBUILD_TESTING=OFF -DCMAKE_BUILD_TYPE=MinSizeRel \
    -DCMAKE_TOOLCHAIN_FILE="$source_dir/cmake/mingw-w64-${platform#*:}.cmake"
  cmake --build "$build" -j "$jobs" --target hardness-table msi
  cp "$build/$name-${platform%:*}.msi" dist/
  cp "$build/hardness-table.exe" "dist/$name-${platform%:*}.exe"
done
# In one order, whatever the builder's locale sorts by.
(cd dist && export LC_ALL=C && sha256sum -- *.tar.gz *.deb *.msi *.exe >SHA256SUMS)
echo "dist/:"
ls -l dist
