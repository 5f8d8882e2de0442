#!/usr/bin/env bash
# Submits the shards as a job array and the assembly as a job that runs once
# every shard ended well.
# Usage: submit.sh SHARDS SOURCE_FOLDER DEST_FOLDER [quillmora-batch options...]
set -euo pipefail
shards=${1:?number of shards}
src=${2:?source folder}
dest=${3:?destination folder}
shift 3
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$dest"
array=$(sbatch --parsable --array=0-$(( shards - 1 )) "$here/album-array.sbatch" "$src" "$dest" "$@")
assemble=$(printf '%q ' quillmora-batch --assemble "$@" --dest "$dest" "$src")
sbatch --parsable --dependency=afterok:"$array" --job-name=quillmora-assemble \
  --output=quillmora-assemble-%j.log --wrap "$assemble"
