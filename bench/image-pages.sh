#!/usr/bin/env bash
# Image pages benchmark: an album of 40 camera photos with image pages
# (--image-pages, default size) against the same album without them, median
# wall times of RUNS runs (default 5) and their ratio; then the bytes a reader
# loads for one image page of a 24 MP photo (the page and its JPEG copy).
# A benchmark, not a test: nothing here runs in CI.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${RUNS:-5}
photos=${PHOTOS:-/tmp/quillmora-bench/photos}

bash bench/install-tools.sh
[ -x build/bin/quillmora-batch ] || bash scripts/build.sh >/dev/null
bench/make-photos.sh "$photos" 40 >/dev/null

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
mkdir -p "$out/plain" "$out/pages" "$out/one/src" "$out/one/album"
batch=build/bin/quillmora-batch

measure() { python3 bench/measure.py "$runs" "$@"; }
echo "== 40 photos, album with 120 x 120 JPEG thumbnails, median of $runs"
plain=$(measure "$batch" --album --dest "$out/plain" "$photos")
pages=$(measure "$batch" --album --image-pages --dest "$out/pages" "$photos")
printf '%-34s %7.3f s %8.1f MB\n' "album" "${plain% *}" "${plain#* }"
printf '%-34s %7.3f s %8.1f MB\n' "album with image pages" "${pages% *}" "${pages#* }"
awk -v a="${pages% *}" -v b="${plain% *}" 'BEGIN { printf "%-34s %7.2f x\n", "image pages / album", a / b }'

# The largest photo of the set is 6000 x 4000 (24 MP).
big=$(for f in "$photos"/*.JPG; do printf '%s %s\n' "$(vipsheader -f width "$f")x$(vipsheader -f height "$f")" "$f"; done |
      awk '$1 == "6000x4000" { print $2; exit }')
cp "$big" "$out/one/src/"
"$batch" --album --image-pages --dest "$out/one/album" "$out/one/src" >/dev/null
name=$(basename "$big")
page=$(stat -c %s "$out/one/album/gallery_img0001.htm")
copy=$(stat -c %s "$out/one/album/images/${name%.*}.jpg")
echo "== one image page of a 24 MP photo ($name), default size, JPEG"
printf '%-34s %9d bytes\n' "page" "$page" "web-size copy ($(vipsheader -f width "$out/one/album/images/${name%.*}.jpg") px wide)" "$copy"  # two rows
printf '%-34s %9d bytes (%.0f kB)\n' "page and copy" "$((page + copy))" "$(awk -v b=$((page + copy)) 'BEGIN{print b/1000}')"
