#!/usr/bin/env bash
# Sets up, builds and starts TARVO in a fresh demo working folder (build/demo-work). With a
# display, the desktop program runs against tarvo-readout-sim on a pseudo terminal, and the
# window "TARVO Messtisch" (tarvo-stage) moves the simulated stage over a sample workpiece: arrow
# keys (Shift: 1 mm) or a click; capture with Space in TARVO, F2 for a circle. Without a display,
# tarvo-cli runs the demo script demo/demo.tarvo instead.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
work=build/demo-work
rm -rf "$work" && mkdir -p "$work"

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]] || [[ ! -x build/apps/tarvo ]]; then
  echo "run: no display (or no Qt): running the tarvo-cli demo instead of the window"
  exec build/apps/tarvo-cli --dir "$work" demo/demo.tarvo
fi

# The stage feeds the simulator through a named pipe, so that both process ids are known and
# only the processes started here are ended (never a user's other copies).
mkfifo "$work/.stage"
build/apps/tarvo-stage > "$work/.stage" &
stage=$!
build/apps/tarvo-readout-sim --dir "$work" < "$work/.stage" > "$work/.sim-device" &
sim=$!
cleanup() { kill "$stage" "$sim" 2>/dev/null || true; }
trap cleanup EXIT
for _ in $(seq 50); do grep -q '^device: ' "$work/.sim-device" 2>/dev/null && break; sleep 0.1; done
device=$(sed -n 's/^device: //p' "$work/.sim-device")
printf '[Ports]\r\nCOM1=%s\r\n' "$device" > "$work/TARVO.INI"
build/apps/tarvo --dir "$work"
