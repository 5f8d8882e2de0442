#!/usr/bin/env bash
# One album made by shards on several machines over ssh with GNU parallel,
# then assembled here. SOURCE_FOLDER and DEST_FOLDER must be the same paths on
# every machine (a shared folder: NFS or the like), and quillmora-batch must be
# installed on each (the .deb).
# Usage: over-ssh.sh SSHLOGINFILE SOURCE_FOLDER DEST_FOLDER SHARDS [quillmora-batch options...]
# SSHLOGINFILE lists the machines, one a line, as GNU parallel reads them
# ("4/user@host" runs up to 4 shards there; ":" is this machine).
set -euo pipefail
logins=${1:?usage: over-ssh.sh SSHLOGINFILE SOURCE_FOLDER DEST_FOLDER SHARDS [options...]}
src=${2:?source folder}
dest=${3:?destination folder}
shards=${4:?number of shards}
shift 4
mkdir -p "$dest"
# --retries: a shard lost with its machine runs again (elsewhere); --update
# then makes only what that shard had not yet recorded.
parallel --will-cite --sshloginfile "$logins" --retries 3 --halt now,fail=1 \
  quillmora-batch --update --shard {}/"$shards" "$@" --dest "$dest" "$src" ::: $(seq 0 $(( shards - 1 )))
quillmora-batch --assemble "$@" --dest "$dest" "$src"
