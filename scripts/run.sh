#!/usr/bin/env bash
# Sets up, builds and starts TARVO in a fresh demo working folder (build/demo-work). With a
# display, the desktop program runs against tarvo-readout-sim on a pseudo terminal whose stage
# moves slowly around a circle of radius 10 (press Space to capture, F2 for the circle). Without a
# display, tarvo-cli runs the demo script demo/demo.tarvo instead.
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

fifo="$work/.sim-commands"
mkfifo "$fifo"
build/apps/tarvo-readout-sim --dir "$work" < "$fifo" > "$work/.sim-device" &
sim=$!
exec 3> "$fifo"
cleanup() { echo quit >&3 2>/dev/null || true; exec 3>&-; wait "$sim" 2>/dev/null || true; kill "$mover" 2>/dev/null || true; }
trap cleanup EXIT
for _ in $(seq 50); do grep -q '^device: ' "$work/.sim-device" 2>/dev/null && break; sleep 0.1; done
device=$(sed -n 's/^device: //p' "$work/.sim-device")
printf '[Ports]\r\nCOM1=%s\r\n' "$device" > "$work/TARVO.INI"
# The stage: a slow walk around a circle of radius 10 about (50, 30).
( i=0; while true; do
    awk -v i="$i" 'BEGIN { a = i * 3.14159265 / 60; printf "pos %.4f %.4f\n", 50 + 10 * cos(a), 30 + 10 * sin(a) }' >&3 || exit 0
    i=$((i + 1)); sleep 0.25
  done ) &
mover=$!
build/apps/tarvo --dir "$work"
