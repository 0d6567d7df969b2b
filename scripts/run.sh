#!/usr/bin/env bash
# Installs what is needed, builds the program and runs it against the simulated
# keyboard. Extra arguments go to the program. Without a display the program
# runs on a private Xvfb: a screenshot of its window is written to
# build/release/tessaro_window.png, and the program runs on until Ctrl+C.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset release
cmake --build --preset release
if [ $# -eq 0 ]; then set -- --simulate; fi
bin=build/release/bin
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] || ! command -v Xvfb >/dev/null; then
  exec "$bin/tessaro" "$@"
fi

work=$(mktemp -d /tmp/tessaro-run-XXXXXX)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT INT TERM
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=("$!")
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
DISPLAY=:$(head -1 "$work/display")
export DISPLAY
echo "No display: tessaro runs on Xvfb $DISPLAY"

TESSARO_TRACE=1 "$bin/tessaro" "$@" 2> >(tee "$work/tessaro.err" >&2) &
program=$!
pids+=("$program")
for _ in $(seq 300); do
  grep -q 'window shows status' "$work/tessaro.err" 2>/dev/null && break
  kill -0 "$program" 2>/dev/null || break
  sleep 0.1
done
sleep 1  # the page update paints
shot=$PWD/build/release/tessaro_window.png
origin=$(sed -n 's/.*window open, 1280x720 at \([0-9-]*\),\([0-9-]*\).*/\1 \2/p' "$work/tessaro.err" | head -1)
# shellcheck disable=SC2086  # the origin is two numbers
if [ -n "$origin" ] && "$bin/tessaro-screenshot" "$shot" $origin 1280 720; then
  echo "Screenshot of the window: $shot"
else
  echo "No screenshot: the window did not open" >&2
fi
echo "tessaro runs on; press Ctrl+C to end it."
wait "$program" || true
