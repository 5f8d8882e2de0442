#!/usr/bin/env bash
# The main window's figures, offscreen and on an X server (Xvfb): list filling
# and Select All over 10,000 files, a run from the window against
# quillmora-batch on the 40 benchmark photos, Stop, and start-up.
# A benchmark, not a test. Needs a build (scripts/build.sh) and the photos
# (bench/make-photos.sh, which needs libvips-tools and mate-backgrounds).
set -euo pipefail
cd "$(dirname "$0")/../.."
photos=${PHOTOS:-/tmp/quillmora-bench/photos}
rounds=${ROUNDS:-3}
[ -n "$(ls "$photos"/*.JPG 2>/dev/null)" ] || bench/make-photos.sh "$photos" 40 >/dev/null
bench=build/bin/window-benchmark
QT_QPA_PLATFORM=offscreen "$bench" --photos "$photos" --rounds "$rounds" 2>/dev/null
xvfb-run -a -s '-screen 0 1280x1024x24' env QT_QPA_PLATFORM=xcb "$bench" --photos "$photos" --rounds "$rounds" 2>/dev/null
