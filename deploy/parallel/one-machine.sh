#!/usr/bin/env bash
# One album made by N shards on this machine with GNU parallel, then assembled.
# Usage: one-machine.sh SOURCE_FOLDER DEST_FOLDER SHARDS [quillmora-batch options...]
# Every shard and the assembly get the same options (an album's options are
# the same for all of its parts). Each shard runs --update, so running this
# again after a failure makes only what is missing.
set -euo pipefail
usage="usage: one-machine.sh SOURCE_FOLDER DEST_FOLDER SHARDS [options...]"
src=${1:?$usage}
dest=${2:?$usage}
shards=${3:?$usage}
shift 3
batch=${QUILLMORA_BATCH:-quillmora-batch}
mkdir -p "$dest"
# All shards at once (GNU parallel would otherwise run one per core and leave
# the last shard to run alone at the end).
parallel --will-cite --halt now,fail=1 --jobs "$shards" \
  "$batch" --update --shard {}/"$shards" "$@" --dest "$dest" "$src" ::: $(seq 0 $(( shards - 1 )))
"$batch" --assemble "$@" --dest "$dest" "$src"
