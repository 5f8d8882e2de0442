#!/usr/bin/env bash
# Makes the large-image benchmark's files: a 12000 x 12000 RGB PNG and a
# 10000 x 14000 RGB uncompressed TIFF (a 600 dpi A4 scan), both enlarged from
# a Debian MATE wallpaper with a little noise so they compress like real
# pictures. Needs libvips-tools and mate-backgrounds.
#   bench/large/make-large.sh FOLDER
set -euo pipefail
out=${1:?usage: make-large.sh FOLDER}
mkdir -p "$out"
src=$(find /usr/share/backgrounds/mate -name '*.jpg' | sort | head -1)
[ -n "$src" ] || { echo "mate-backgrounds is not installed" >&2; exit 1; }
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
make() {  # width height output
  vips thumbnail "$src" "$tmp/big.v" "$1" --height "$2" --size force
  vips gaussnoise "$tmp/noise.v" "$1" "$2" --sigma 3 --mean 0
  vips bandjoin "$tmp/noise.v $tmp/noise.v $tmp/noise.v" "$tmp/noise3.v"
  vips add "$tmp/big.v" "$tmp/noise3.v" "$tmp/sum.v"
  vips cast "$tmp/sum.v" "$3" uchar
}
[ -f "$out/panorama.png" ] || make 12000 12000 "$out/panorama.png"
[ -f "$out/scan.tif" ] || make 10000 14000 "$out/scan.tif[compression=none]"
ls -l "$out"
