#!/usr/bin/env bash
# Makes the re-run and shard benchmark folders from Debian's MATE wallpapers:
#   FOLDER/photos: COUNT JPEG photos, 1600 to 1699 x 1200 (about 2 megapixels)
#   FOLDER/files:  2 x COUNT JPEGs, 1024 to 1123 x 768, from those photos
# Needs libvips-tools and mate-backgrounds.
set -euo pipefail
out=${1:?usage: make-folders.sh FOLDER [COUNT]}
count=${2:-1000}
mkdir -p "$out/photos" "$out/files"
mapfile -t sources < <(find /usr/share/backgrounds/mate -name '*.jpg' | sort)
[ ${#sources[@]} -gt 0 ] || { echo "mate-backgrounds is not installed" >&2; exit 1; }
# One 1700 x 1200 base per wallpaper; each photo is a crop of one (quick).
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
for s in "${!sources[@]}"; do vipsthumbnail "${sources[$s]}" --size 1700x1200! -o "$tmp/base$s.v"; done
for i in $(seq 1 "$count"); do
  photo=$(printf '%s/photos/IMG_%04d.JPG' "$out" "$i")
  [ -f "$photo" ] && continue
  vips crop "$tmp/base$(( (i - 1) % ${#sources[@]} )).v" "$photo[Q=88]" $(( (100 - i % 100) / 2 )) 0 $(( 1600 + i % 100 )) 1200
done
for i in $(seq 1 "$count"); do
  photo=$(printf '%s/photos/IMG_%04d.JPG' "$out" "$i")
  for half in a:0 b:7; do
    file=$(printf '%s/files/%s_%04d.jpg' "$out" "${half%:*}" "$i")
    [ -f "$file" ] || vipsthumbnail "$photo" --size "$(( 1024 + i % 100 + ${half#*:} ))x768!" -o "$file[Q=85]"
  done
done
