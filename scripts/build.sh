#!/usr/bin/env bash
# Builds the native tree (the Linux program, tools, data, native tests) and the
# Windows tree (the program, fmod.dll, the Windows test programs), with their
# shipping folders build/native/dist (snowgig, snowgig.dat) and
# build/windows/dist (snowgig.exe, fmod.dll, snowgig.dat; release builds,
# stripped), the download build/windows/snowgig.zip and the Debian package
# build/native/snowgig_VERSION_amd64.deb; prints their sizes.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
jobs=${SNOWGIG_JOBS:-2}
native=$top/build/native
windows=$top/build/windows

cmake -S "$top" -B "$native" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$native" -j "$jobs"

cmake -S "$top" -B "$windows" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-x86_64.cmake" \
  -DSNOWGIG_PACK="$native/data/snowgig.dat" \
  -DSNOWGIG_ICON="$native/data/icon/snowgig.ico" >/dev/null
cmake --build "$windows" -j "$jobs"
for f in "$native"/dist/* "$native"/snowgig_*.deb "$windows"/dist/* "$windows/snowgig.zip"; do
  if [ -e "$f" ]; then
    printf 'build: %-12s %9d bytes\n' "$(basename "$f")" "$(stat -c %s "$f")"
  fi
done
echo "build: the programs are in $native/dist (Linux) and $windows/dist (Windows), the download is $windows/snowgig.zip, the Debian package is in $native"
