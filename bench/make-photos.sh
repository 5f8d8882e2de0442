#!/usr/bin/env bash
# Makes the benchmark's photo folder: 40 JPEG photos of 12 to 24 megapixels,
# enlarged from Debian's MATE wallpapers with a little noise added so they
# compress (and decode) like camera files. Needs libvips-tools and mate-backgrounds.
set -euo pipefail
out=${1:?usage: make-photos.sh FOLDER}
count=${2:-40}
mkdir -p "$out"
mapfile -t sources < <(find /usr/share/backgrounds/mate -name '*.jpg' | sort)
[ ${#sources[@]} -gt 0 ] || { echo "mate-backgrounds is not installed" >&2; exit 1; }
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
sizes=(4000x3000 4240x2832 4608x3456 5184x3456 5472x3648 6000x4000)
for i in $(seq 1 "$count"); do
  name=$(printf 'IMG_%04d.JPG' "$i")
  [ -f "$out/$name" ] && continue
  src=${sources[$(( (i - 1) % ${#sources[@]} ))]}
  size=${sizes[$(( (i - 1) % ${#sizes[@]} ))]}
  w=${size%x*}; h=${size#*x}
  vips thumbnail "$src" "$tmp/big.v" "$w" --height "$h" --size force
  vips gaussnoise "$tmp/noise.v" "$w" "$h" --sigma 4 --mean 0
  vips bandjoin "$tmp/noise.v $tmp/noise.v $tmp/noise.v" "$tmp/noise3.v"
  vips add "$tmp/big.v" "$tmp/noise3.v" "$tmp/sum.v"
  vips cast "$tmp/sum.v" "$out/$name[Q=90]" uchar
done
du -sh "$out"
