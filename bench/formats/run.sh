#!/usr/bin/env bash
# Per-format throughput: COUNT files (default 20) of 12 to 24 megapixels in
# each of HEIC, AVIF, WebP, JPEG 2000, PNG, TIFF and camera DNG (with a
# 1620-pixel embedded preview), made with vips (DNG: build/bin/make-dng) from
# the JPEG benchmark photos, into 120 x 120 JPEG thumbnails: quillmora-batch
# against one vipsthumbnail process over the same files, run in turn. Prints
# the median wall seconds of each (RUNS runs, default 3) and their ratio.
# A benchmark, not a test: nothing here runs in CI.
# UNIQUE=N makes only N distinct pictures per format and copies them up to
# COUNT (encoding AVIF and HEIC at 20 megapixels takes a while).
set -euo pipefail
cd "$(dirname "$0")/../.."
runs=${RUNS:-3}
count=${COUNT:-20}
unique=${UNIQUE:-$count}
photos=${PHOTOS:-/tmp/quillmora-bench/photos}
work=${FORMATS_DIR:-/tmp/quillmora-bench/formats}
command -v vipsthumbnail >/dev/null || { echo "vipsthumbnail (libvips-tools) is needed" >&2; exit 1; }
[ -x build/bin/quillmora-batch ] && [ -x build/bin/make-dng ] || bash scripts/build.sh >/dev/null
bench/make-photos.sh "$photos" "$unique" >/dev/null
mapfile -t sources < <(ls "$photos"/*.JPG | head -n "$unique")

encode() {  # format, source, target
  case $1 in
    heic) vips heifsave "$2" "$3" --compression hevc --Q 80 ;;
    avif) vips heifsave "$2" "$3" --compression av1 --Q 60 --effort 0 ;;
    webp) vips webpsave "$2" "$3" --Q 80 ;;
    jp2) vips jp2ksave "$2" "$3" --Q 80 ;;
    png) vips pngsave "$2" "$3" --compression 6 ;;
    tif) vips tiffsave "$2" "$3" --compression deflate ;;
    dng) build/bin/make-dng "$2" "$3" ;;
  esac
}

formats=(${FORMATS:-heic avif webp jp2 png tif dng})
for f in "${formats[@]}"; do
  mkdir -p "$work/$f"
  for i in $(seq 1 "$count"); do
    target=$(printf '%s/%s/IMG_%04d.%s' "$work" "$f" "$i" "$f")
    [ -f "$target" ] && continue
    first=$(printf '%s/%s/IMG_%04d.%s' "$work" "$f" $(( (i - 1) % unique + 1 )) "$f")
    if [ "$i" -le "$unique" ]; then encode "$f" "${sources[$((i - 1))]}" "$target"; else cp "$first" "$target"; fi
  done
done

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
printf '%-6s %10s %10s %7s\n' format quillmora vips ratio
for f in "${formats[@]}"; do
  rm -rf "$out/q" "$out/v"; mkdir -p "$out/q" "$out/v"
  q=$(python3 bench/measure.py "$runs" build/bin/quillmora-batch "$work/$f" --dest "$out/q" --mask 28 \
        --width 120 --height 120 | cut -d' ' -f1)
  v=$(python3 bench/measure.py "$runs" sh -c "vipsthumbnail --size 120x120 -o '$out/v/%s.jpg' '$work/$f'/*" | cut -d' ' -f1)
  printf '%-6s %10s %10s %7.2f\n' "$f" "$q" "$v" "$(echo "$q / $v" | bc -l)"
done
