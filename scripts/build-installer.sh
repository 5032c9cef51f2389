#!/usr/bin/env bash
# Builds the setup program: the program in a release build without the simulated device, packed by makensis.
#   scripts/build-installer.sh VERSION OUTDIR   ->   OUTDIR/yarrowkeep-setup-VERSION.exe
# The release tree is OUTDIR/build-VERSION; a second run rebuilds only what changed.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
version=${1:?version}
out=${2:?output folder}
tree="$out/build-$version"
mkdir -p "$out"
cmake -S "$YK_ROOT" -B "$tree" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$YK_ROOT/cmake/mingw-w64-x86_64.cmake" -DYK_SIMULATOR=OFF -DYK_VERSION="$version" >/dev/null
cmake --build "$tree" --target yarrowkeep
# The picture of the welcome and finish pages: the side bar of the program's window with its logo.
convert "$YK_ROOT/resources/skin/226-sidebar-background.png" -resize '164x314^' -gravity center -extent 164x314 \
    \( "$YK_ROOT/resources/skin/194-logo.png" -resize 130x \) -gravity north -geometry +0+36 -composite \
    -alpha off BMP3:"$out/welcome-$version.bmp"
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DPROGRAM="$tree/yarrowkeep.exe" \
    -DICON="$YK_ROOT/resources/yarrowkeep.ico" -DWELCOME="$out/welcome-$version.bmp" -DOUTFILE="$out/yarrowkeep-setup-$version.exe" \
    "$YK_ROOT/resources/installer/yarrowkeep.nsi"
echo "$out/yarrowkeep-setup-$version.exe"
