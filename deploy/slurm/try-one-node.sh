#!/usr/bin/env bash
# Tries the Slurm recipe on this one machine (not run in CI): installs
# slurm-wlm, configures a one-node cluster on localhost, starts munged,
# slurmctld and slurmd, runs submit.sh (a job array of shards and the
# assembly), and compares the album with one plain run, byte for byte.
# Needs root: it writes /etc/slurm/slurm.conf and a munge key. It stops the
# daemons it started when it ends.
# Usage: try-one-node.sh [SHARDS] [PHOTOS]   (from the source tree, after a build)
set -euo pipefail
cd "$(dirname "$0")/../.."
shards=${1:-3}
photos=${2:-60}
bin=$(pwd)/build/bin
[ -x "$bin/quillmora-batch" ] || { echo "build first (scripts/build.sh)" >&2; exit 1; }
[ "$(id -u)" -eq 0 ] || { echo "run as root" >&2; exit 1; }

if ! command -v slurmctld >/dev/null || ! command -v munged >/dev/null; then
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends slurm-wlm munge
fi

work=$(mktemp -d /tmp/quillmora-slurm.XXXXXX)
chmod 755 "$work"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
}
trap cleanup EXIT

# munge: a key, and the daemon in the foreground, in the background.
mkdir -p /etc/munge /var/lib/munge /var/log/munge /run/munge
[ -s /etc/munge/munge.key ] || dd if=/dev/urandom of=/etc/munge/munge.key bs=1024 count=1 status=none
chown -R munge:munge /etc/munge /var/lib/munge /var/log/munge /run/munge 2>/dev/null || true
chmod 400 /etc/munge/munge.key
runuser -u munge -- munged --foreground --force > "$work/munged.out" 2>&1 &
pids+=($!)
sleep 1

node=$(hostname -s)
mkdir -p /etc/slurm "$work/spool" "$work/state"
cat > /etc/slurm/slurm.conf <<CONF
ClusterName=quillmora
SlurmctldHost=$node
SlurmUser=root
AuthType=auth/munge
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
SelectType=select/cons_tres
SelectTypeParameters=CR_Core
JobAcctGatherType=jobacct_gather/none
AccountingStorageType=accounting_storage/none
MpiDefault=none
ReturnToService=2
StateSaveLocation=$work/state
SlurmdSpoolDir=$work/spool
SlurmctldPidFile=$work/slurmctld.pid
SlurmdPidFile=$work/slurmd.pid
SlurmctldLogFile=$work/slurmctld.log
SlurmdLogFile=$work/slurmd.log
NodeName=$node CPUs=$(nproc) State=UNKNOWN
PartitionName=local Nodes=$node Default=YES MaxTime=INFINITE State=UP
CONF
slurmctld -D -i > "$work/slurmctld.out" 2>&1 &
pids+=($!)
slurmd -D > "$work/slurmd.out" 2>&1 &
pids+=($!)
for _ in $(seq 30); do sinfo -h -o %T 2>/dev/null | grep -qE 'idle|mix' && break; sleep 1; done
sinfo

# The photos, one plain run, then the shards and the assembly through Slurm.
mkdir -p "$work/photos" "$work/one" "$work/album"
sizes=(16 24 32 48 64 128 256)
for i in $(seq 1 "$photos"); do
  cp "data/icons/png/${sizes[i % 7]}.png" "$work/photos/$(printf 'photo_%04d.png' "$i")"
done
"$bin/quillmora-batch" --album --dest "$work/one" "$work/photos" > /dev/null
cd "$work"
# sbatch passes this environment on: the jobs find the quillmora-batch just built.
export PATH=$bin:$PATH
ids=$(bash "$OLDPWD/deploy/slurm/submit.sh" "$shards" "$work/photos" "$work/album" --album)
echo "submitted: shard array and assembly job $ids (runs after the array)"
for _ in $(seq 300); do
  [ -z "$(squeue -h -o %i)" ] && break
  sleep 1
done
echo "--- logs"
tail -n 2 quillmora-shard-*.log quillmora-assemble-*.log
echo "--- comparison with one run"
if diff -r -x '.quillmora-record*' "$work/one" "$work/album"; then
  echo "the same files, byte for byte, as one run ($(find "$work/album" -type f | wc -l) files)"
else
  echo "DIFFERENT from one run"; exit 1
fi
