#!/usr/bin/env bash
# Takes a screenshot of the main window under a virtual X server, with a
# folder of sample pictures as the source folder.
#   bash scripts/screenshot.sh [OUTPUT.png] [SCALE]     (SCALE 1 or 2; default shot.png 1)
# Needs xvfb, xdotool and imagemagick (Debian packages of those names).
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-shot.png}
scale=${2:-1}
work=$(mktemp -d)
trap 'kill "${app:-0}" "${xvfb:-0}" 2>/dev/null || true; rm -rf "$work"' EXIT

# A few pictures to look at, and settings that open them.
mkdir -p "$work/Pictures/holiday" "$work/Pictures/thumbs" "$work/config"
for i in 1 2 3 4 5 6; do
  convert -size 1600x1200 "plasma:fractal" -seed "$i" "$work/Pictures/holiday/IMG_000$i.JPG" 2>/dev/null ||
    convert -size 640x480 gradient:"#3a6ea5-#f0c05a" "$work/Pictures/holiday/IMG_000$i.JPG"
done

# The program and its parts, with a settings file beside it that opens the
# sample folder (the program reads no command-line arguments).
mkdir -p "$work/bin"
cp build/bin/quillmora build/bin/quillmora-decoder "$work/bin/"
cp build/bin/liborvellan.so build/bin/quillmorahelp.hlp "$work/bin/" 2>/dev/null || true
python3 - "$work" <<'PY'
import struct, sys
work = sys.argv[1]
def text(s):
    b = s.encode()
    return struct.pack('<H', len(b)) + b
flags = struct.pack('<9h', -1, 0, 0, 0, 0, 0, 0, 0, 0)
with open(work + '/bin/qmsetup.dat', 'wb') as f:
    f.write(flags + text(work + '/Pictures/holiday') + text(work + '/Pictures/thumbs'))
PY

width=$((1280 * scale)); height=$((860 * scale))
Xvfb :97 -screen 0 "${width}x${height}x24" -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
sleep 1
export DISPLAY=:97 HOME="$work" XDG_CONFIG_HOME="$work/config" QT_SCALE_FACTOR="$scale"
"$work/bin/quillmora" >/dev/null 2>&1 &
app=$!
sleep 3
window=$(xdotool search --name "Quillmora by Oxbrindle" | head -n 1)
xdotool windowmove "$window" 0 0
sleep 0.5
# Click the first file of the list, so the preview shows it.
xdotool mousemove --window "$window" $((420 * scale)) $((72 * scale)) click 1
sleep 1.5
import -window root "$out"
echo "$out"
