#!/usr/bin/env bash
# Image page details benchmark: PHOTOS_USED (default 8) camera photos tagged
# with a full set of EXIF details, an album with image pages with and without
# --image-details, timed in turn by farm-bench (medians and the ratio).
# A benchmark, not a test: nothing here runs in CI.
set -euo pipefail
cd "$(dirname "$0")/.."
photos=${PHOTOS:-/tmp/quillmora-bench/photos}
used=${PHOTOS_USED:-8}
command -v exiftool >/dev/null || { echo "needs exiftool (libimage-exiftool-perl)" >&2; exit 1; }
[ -x build/bin/quillmora-batch ] || bash scripts/build.sh >/dev/null
ls "$photos"/*.JPG >/dev/null 2>&1 || bench/make-photos.sh "$photos" 40 >/dev/null

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
mkdir -p "$out/src" "$out/details" "$out/plain"
cp $(ls "$photos"/*.JPG | head -n "$used") "$out/src/"
exiftool -q -q -overwrite_original -Make=Canon "-Model=EOS R6" "-LensModel=RF 50mm F1.8 STM" -ExposureTime=1/125 \
  -FNumber=2.8 -ISO=400 -FocalLength=50 "-DateTimeOriginal=2024:05:01 10:20:30" -GPSLatitude=48.8584 \
  -GPSLatitudeRef=N -GPSLongitude=2.2945 -GPSLongitudeRef=E "$out/src"/*.JPG
batch=build/bin/quillmora-batch
farm-bench -n "${RUNS:-5}" --timeout 600 --vs "$batch --album --image-pages --dest $out/plain $out/src" -- \
  "$batch" --album --image-pages --image-details --dest "$out/details" "$out/src"
