#!/usr/bin/env bash
# Throughput benchmark: quillmora-batch against vipsthumbnail on the same 40
# photos in the same run, on both cores and pinned to one core. Prints median
# wall times (RUNS runs, default 5), peak memory of each command with all its
# processes, and quillmora's time as a share of vipsthumbnail's.
# A benchmark, not a test: nothing here runs in CI.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${RUNS:-5}
photos=${PHOTOS:-/tmp/quillmora-bench/photos}

bench/install-tools.sh
bash scripts/build.sh >/dev/null
bench/make-photos.sh "$photos" 40 >/dev/null

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
mkdir -p "$out/vips" "$out/q"
mapfile -t files < <(ls "$photos"/*.JPG)
half=$(( ${#files[@]} / 2 ))

measure() { python3 bench/measure.py "$runs" "$@"; }
report() {  # label, "time mem", vips time
  local t=${2% *} m=${2#* }
  printf '%-42s %7.3f s %8.1f MB   %5.2f x vips\n' "$1" "$t" "$m" "$(awk -v a="$t" -v b="$3" 'BEGIN{print a/b}')"
}

for pin in "" "taskset -c 0"; do
  label=${pin:+one core}; label=${label:-two cores}
  echo "== ${#files[@]} photos, 120 x 120 JPEG thumbnails, $label, median of $runs"
  # shellcheck disable=SC2086
  vips=$(measure $pin vipsthumbnail -s 120x120 -o "$out/vips/%s.jpg" "${files[@]}")
  vt=${vips% *}
  report "vipsthumbnail" "$vips" "$vt"
  if [ -z "$pin" ]; then
    pair=$(measure bash -c 'vipsthumbnail -s 120x120 -o "$0/vips/%s.jpg" "${@:1:'"$half"'}" &
                            vipsthumbnail -s 120x120 -o "$0/vips/%s.jpg" "${@:'"$((half + 1))"'}" & wait' \
           "$out" "${files[@]}")
    report "vipsthumbnail, two processes" "$pair" "$vt"
  fi
  # shellcheck disable=SC2086
  report "quillmora-batch (defaults)" "$(measure $pin build/bin/quillmora-batch --dest "$out/q" "$photos")" "$vt"
  for f in 0 1 2 3 4 5 6; do
    # shellcheck disable=SC2086
    report "quillmora-batch --filter $f" "$(measure $pin build/bin/quillmora-batch --filter $f --dest "$out/q" "$photos")" "$vt"
  done
done
