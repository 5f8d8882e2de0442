#!/usr/bin/env bash
# Re-run and shard benchmark (not a test; CI runs none of it). Prints:
#  1. 1,000 photos already done, 10 of them changed: quillmora-batch --update
#     against a full run of the same 1,000, side by side (farm-bench, paired);
#  2. 2,000 files: three shards run by GNU parallel plus the assembly against
#     one run, side by side, then whether both leave the same files byte for byte;
#  3. a shard killed with SIGKILL halfway, run again, then the assembly: whether
#     the album is the same as one run's.
# Needs libvips-tools, mate-backgrounds, parallel, farm-bench; RUNS (default 3),
# WARMUP (default 0: a full run of 1,000 photos takes minutes on two cores).
set -euo pipefail
cd "$(dirname "$0")/../.."
runs=${RUNS:-3}
warmup=${WARMUP:-0}  # the first runs warm the page cache with the photos
data=${DATA:-/tmp/qm-rerun-bench}
bin=$(pwd)/build/bin
batch=$bin/quillmora-batch
[ -x "$batch" ] || { echo "build first (scripts/build.sh)" >&2; exit 1; }
bench/rerun/make-folders.sh "$data" 1000 >/dev/null
work=$(mktemp -d /tmp/qm-rerun-run.XXXXXX)
trap 'rm -rf "$work"' EXIT
photos=$data/photos
files=$data/files

echo "== 1. 1,000 photos done, 10 changed: --update against a full run"
mkdir -p "$work/updated" "$work/full"
"$batch" --update --album --dest "$work/updated" "$photos" >/dev/null
all=("$photos"/*)
changed="${all[*]:0:10}"
# Each --update run first touches the same 10 photos, so each finds 10 changed.
farm-bench -n "$runs" --warmup "$warmup" --timeout 3600 \
  --vs "$batch --album --dest $work/full $photos" \
  -- sh -c "touch $changed && exec $batch --update --album --dest $work/updated $photos"
"$batch" --update --album --dest "$work/updated" "$photos" | tail -1

echo "== 2. 2,000 files: three shards by GNU parallel plus assembly against one run"
shards() {
  rm -rf "$work/shards" && mkdir -p "$work/shards" &&
    parallel --will-cite --jobs 3 --halt now,fail=1 "$batch" --shard {}/3 --album --dest "$work/shards" "$files" ::: 0 1 2 \
      >/dev/null &&
    "$batch" --assemble --album --dest "$work/shards" "$files" >/dev/null
}
export -f shards
export work batch files
farm-bench -n "$runs" --warmup "$warmup" --timeout 3600 \
  --vs "sh -c 'rm -rf $work/one && mkdir -p $work/one && exec $batch --album --dest $work/one $files'" \
  -- bash -c shards
if diff -r -x '.quillmora-record*' "$work/one" "$work/shards" >/dev/null; then
  echo "shards + assembly: the same $(find "$work/one" -type f | wc -l) files, byte for byte, as one run"
else
  echo "shards + assembly DIFFER from one run"
fi

echo "== 3. a shard killed with SIGKILL halfway, run again, then assembly"
rm -rf "$work/killed" && mkdir -p "$work/killed"
half=$(( $(ls "$files" | wc -l) / 3 / 2 ))
"$batch" --update --shard 0/3 --album --dest "$work/killed" "$files" > "$work/shard0.out" &
pid=$!
until grep -q "Processing $half of" "$work/shard0.out" 2>/dev/null; do sleep 0.05; done
kill -9 "$pid"
wait "$pid" 2>/dev/null || true
echo "shard 0 killed at: $(tail -1 "$work/shard0.out")"
parallel --will-cite "$batch" --update --shard {}/3 --album --dest "$work/killed" "$files" ::: 0 1 2 | grep Completed
"$batch" --assemble --album --dest "$work/killed" "$files" | tail -1
if diff -r -x '.quillmora-record*' "$work/one" "$work/killed" >/dev/null; then
  echo "killed shard re-run + assembly: the same files, byte for byte, as one run"
else
  echo "killed shard re-run + assembly DIFFER from one run"
fi
