#!/usr/bin/env bash
# Runs preview-benchmark RUNS times (default 3) on a real X server (Xvfb) and
# RUNS times offscreen, each run with the machine's load before it.
# A benchmark, not a test: nothing here runs in CI.
#   bench/preview/run.sh [build folder]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build}
runs=${RUNS:-3}
cmake --build "$build" -j2 --target preview-benchmark quillmora-decoder >/dev/null
bin="$build/bin/preview-benchmark"
for run in $(seq 1 "$runs"); do
  echo "=== Xvfb, run $run: $(uptime)"
  xvfb-run -a -s '-screen 0 1280x1024x24' "$bin" 2>/dev/null
done
for run in $(seq 1 "$runs"); do
  echo "=== offscreen, run $run: $(uptime)"
  QT_QPA_PLATFORM=offscreen "$bin" 2>/dev/null
done
