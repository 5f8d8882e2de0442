#!/usr/bin/env bash
# Large images: quillmora-batch against vipsthumbnail, side by side in one
# run, on a 12000 x 12000 PNG, a 10000 x 14000 uncompressed TIFF, and a mixed
# folder of four such PNGs and 20 photos. Prints the median wall time of RUNS
# runs (default 3) and the peak resident memory of each command with all its
# processes together (bench/measure.py sums them), and quillmora's figures as
# a share of vipsthumbnail's.
#   bench/large/run.sh [build folder]        (default: build)
# BEFORE=FOLDER also measures a quillmora-batch and quillmora-decoder of an
# earlier build copied into FOLDER, on the same files.
# A benchmark, not a test: nothing here runs in CI.
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build}
runs=${RUNS:-3}
data=${DATA:-/tmp/quillmora-bench}

bench/install-tools.sh
cmake --build "$build" -j2 --target quillmora-batch quillmora-decoder >/dev/null
bench/large/make-large.sh "$data/large" >/dev/null
bench/make-photos.sh "$data/photos" 20 >/dev/null

# The mixed folder: four panoramas and 20 photos, as links to the files above.
mixed="$data/mixed"
mkdir -p "$mixed"
for i in 1 2 3 4; do ln -f "$data/large/panorama.png" "$mixed/panorama$i.png"; done
for f in "$data"/photos/IMG_00{01..20}.JPG; do ln -f "$f" "$mixed/"; done

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
measure() { python3 bench/measure.py "$runs" "$@"; }
report() {  # label, "time mem", "time mem" of vipsthumbnail
  local t=${2% *} m=${2#* } vt=${3% *} vm=${3#* }
  printf '  %-30s %7.2f s %8.1f MB   time %4.2f x, memory %4.2f x vipsthumbnail\n' "$1" "$t" "$m" \
    "$(awk -v a="$t" -v b="$vt" 'BEGIN{print a/b}')" "$(awk -v a="$m" -v b="$vm" 'BEGIN{print a/b}')"
}
batches=("quillmora-batch:$build/bin")
[ -n "${BEFORE:-}" ] && batches+=("quillmora-batch, before:$BEFORE")

case_run() {  # label, folder, names...
  local label=$1 folder=$2; shift 2
  local paths=(); for n in "$@"; do paths+=("$folder/$n"); done
  echo "== $label, 120 x 120 thumbnails, median of $runs"
  rm -rf "${out:?}"/*
  local vips; vips=$(measure vipsthumbnail -s 120x120 -o "$out/%s.jpg" "${paths[@]}")
  report vipsthumbnail "$vips" "$vips"
  for entry in "${batches[@]}"; do
    rm -rf "${out:?}"/*
    report "${entry%%:*}" "$(measure "${entry#*:}/quillmora-batch" --width 120 --height 120 --dest "$out" "$folder" "$@")" "$vips"
  done
}

case_run "PNG 12000 x 12000 RGB" "$data/large" panorama.png
case_run "TIFF 10000 x 14000 RGB, uncompressed" "$data/large" scan.tif
mapfile -t names < <(cd "$mixed" && ls)
case_run "four 12000 x 12000 PNGs and 20 photos" "$mixed" "${names[@]}"
