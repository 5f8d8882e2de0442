#!/usr/bin/env bash
# What a screen reader sees of the main window: starts build/bin/quillmora
# under a virtual X server with its own session bus and the AT-SPI bus,
# prints the window's accessibility tree (role, name, value, actions), types
# a folder of three images into the source path box, presses Select All and
# START through their AT-SPI actions, prints the name and value changes the
# screen reader is told of, and reads the counter from the tree.
# Needs xvfb, dbus, at-spi2-core and python3-pyatspi. Not part of the tests.
#
#   bash scripts/atspi-check.sh [build/bin/quillmora]
set -euo pipefail
cd "$(dirname "$0")/.."
program=$(realpath "${1:-build/bin/quillmora}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The program with its parts, copied, so its settings file stays out of the build.
mkdir -p "$work/bin"
bin=$(dirname "$program")
cp -a "$program" "$bin/quillmora-decoder" "$bin/liborvellan.so" "$bin/quillmorahelp.hlp" "$work/bin/"

cat > "$work/probe.py" <<'PY'
import sys, time
import pyatspi

def wait_for(find, seconds=20):
    end = time.time() + seconds
    while time.time() < end:
        found = find()
        if found is not None:
            return found
        time.sleep(0.2)
    return None

def app():
    desktop = pyatspi.Registry.getDesktop(0)
    for a in desktop:
        if a is not None and a.name.lower() == "quillmora":
            return a
    return None

def walk(node, depth=0, out=None):
    out = [] if out is None else out
    out.append((depth, node))
    for child in node:
        if child is not None:
            walk(child, depth + 1, out)
    return out

def describe(node):
    role = node.getRoleName()
    text = f"{role} '{node.name}'"
    try:
        v = node.queryValue()
        text += f" value={v.currentValue:g} [{v.minimumValue:g}..{v.maximumValue:g}]"
    except NotImplementedError:
        pass
    try:
        a = node.queryAction()
        names = [a.getName(i) for i in range(a.nActions)]
        if names:
            text += f" actions={names}"
    except NotImplementedError:
        pass
    states = node.getState()
    if not states.contains(pyatspi.STATE_ENABLED):
        text += " (disabled)"
    return text

a = wait_for(app)
if a is None:
    names = [x.name for x in pyatspi.Registry.getDesktop(0) if x is not None]
    sys.exit(f"quillmora did not appear on the AT-SPI bus (there: {names})")
time.sleep(1)
nodes = walk(a)
interesting = {"push button", "spin button", "progress bar", "label", "panel", "grouping", "filler", "check box"}
for depth, node in nodes:
    if node.getRoleName() in interesting and node.name:
        print("  " * min(depth, 8) + describe(node))

from gi.repository import GLib

def pump(seconds):
    end = time.time() + seconds
    ctx = GLib.MainContext.default()
    while time.time() < end:
        while ctx.pending():
            ctx.iteration(False)
        time.sleep(0.05)

def find(role, name):
    return next((n for _, n in walk(a) if n.getRoleName() == role and n.name == name), None)

def press(node):
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    if "Press" not in names:
        sys.exit(f"{node.name} has no Press action: {names}")
    action.doAction(names.index("Press"))

told = []
def listen(event):
    source = event.source
    if source is None:
        return
    role = source.getRoleName()
    # Read when the events are handled, after the run: the current name or value.
    if event.type.endswith("accessible-name") and role == "label":
        told.append(f"{event.type} of label (now {source.name!r})")
    elif event.type.endswith("accessible-value") and role == "progress bar":
        told.append(f"{event.type} of progress bar (now {source.queryValue().currentValue:g})")
pyatspi.Registry.registerEventListener(listen, "object:property-change:accessible-name",
                                       "object:property-change:accessible-value")

source = find("text", "Source folder path")
if source is None:
    sys.exit("no text box 'Source folder path'")
source.queryEditableText().setTextContents(sys.argv[1])
source.queryComponent().grabFocus()
pump(0.5)
pyatspi.Registry.generateKeyboardEvent(0xff0d, None, pyatspi.KEY_SYM)  # Return
pump(2)
press(find("push button", "Select All"))
pump(1)
start = find("push button", "START")
print("START actions:", [start.queryAction().getName(i) for i in range(start.queryAction().nActions)])
press(start)
pump(5)
for line in told:
    print("told:", line)
counter = next((n for _, n in walk(a) if n.getRoleName() == "label" and n.name.startswith("Completed ")), None)
if counter is None:
    sys.exit("no counter text in the tree after START")
print("counter:", repr(counter.name))
PY

# Three images to make thumbnails of.
mkdir -p "$work/images"
for c in "255 0 0" "0 255 0" "0 0 255"; do
  printf 'P3\n32 20\n255\n' > "$work/images/${c// /-}.ppm"
  for ((i = 0; i < 32 * 20; i++)); do echo "$c"; done >> "$work/images/${c// /-}.ppm"
done

export XDG_RUNTIME_DIR="$work/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config"
mkdir -p "$HOME"
display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
sleep 1
DISPLAY=$display dbus-run-session -- bash -c '
  /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
  sleep 1
  QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 "$1/bin/quillmora" >"$1/quillmora.log" 2>&1 &
  app=$!
  status=0
  /usr/bin/python3 "$1/probe.py" "$1/images" || status=$?
  kill $app 2>/dev/null
  [ $status = 0 ] || cat "$1/quillmora.log" >&2
  exit $status
' _ "$work"
