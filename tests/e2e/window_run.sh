#!/usr/bin/env bash
# tessaro on a private Xvfb: the window opens at 1280 by 720, finds the
# simulated keyboard (status T60, the key tab, the version query "07 FD",
# tasks 13 then 5), a second start hands over to it and exits 0, "exit" on the
# instance socket ends it cleanly with the tray icon removed; without a
# keyboard it shows T61 on the home page. A screenshot of the first run is
# written beside the build. Every process it starts is gone when it ends.
# Usage: window_run.sh <path of tessaro> <path of tessaro-screenshot> <screenshot.png>
set -euo pipefail

program=$1
screenshot_tool=$2
screenshot=$3
command -v Xvfb >/dev/null || { echo "Xvfb is missing: skipped"; exit 77; }
command -v python3 >/dev/null || { echo "python3 is missing: skipped"; exit 77; }
# shellcheck source=tests/e2e/common.sh
source "$(dirname "$0")/common.sh"

# A private X server on a free display number.
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=("$!")
wait_for "Xvfb" test -s "$work/display"
DISPLAY=:$(head -1 "$work/display")
export DISPLAY
export TESSARO_TRACE=1

# line_of <file> <text>: the line number of the first line holding the text.
line_of() { grep -n -m1 -F "$2" "$1" | cut -d: -f1; }

"$program" --simulate 2>"$work/first.err" &
first=$!
pids+=("$first")
wait_for "the window" grep -q 'window open' "$work/first.err"
grep -q 'window open, 1280x720' "$work/first.err" || fail "the window is not 1280 by 720"
wait_for "the keyboard on the key page" grep -q 'window shows status T60, tab 1, tabs shown' "$work/first.err"
wait_for "the version query" grep -qs ' MI_02 feature 07 FD' "$TESSARO_SIM_LOG"
wait_for "task 5" grep -q 'task 5$' "$work/first.err"
task13=$(line_of "$work/first.err" 'task 13')
task5=$(line_of "$work/first.err" 'task 5')
if [ -z "$task13" ] || [ "$task13" -ge "$task5" ]; then fail "tasks 13 and 5 did not run in that order"; fi
wait_for "the instance socket" test -S "$socket"

# The screenshot once the window has painted what it shows.
sleep 1
origin=$(sed -n 's/.*window open, 1280x720 at \([0-9-]*\),\([0-9-]*\).*/\1 \2/p' "$work/first.err" | head -1)
# shellcheck disable=SC2086  # the origin is two numbers
"$screenshot_tool" "$screenshot" $origin 1280 720 || fail "no screenshot"
[ -s "$screenshot" ] || fail "the screenshot is empty"

rc=0
"$program" --simulate 2>"$work/second.err" || rc=$?
[ "$rc" = 0 ] || fail "second start exited $rc"
kill -0 "$first" 2>/dev/null || fail "the first instance ended on the second start"
wait_for "the first instance to hear the second" grep -q 'asked to show the window' "$work/first.err"
grep -q 'window open' "$work/second.err" && fail "the second start opened a window"

send_line exit
wait_exit "$first"
[ "$rc" = 0 ] || fail "exit through the socket gave $rc"
grep -q 'window closed, tray icon removed' "$work/first.err" || fail "the tray icon was not removed"
[ ! -e "$socket" ] || fail "the socket outlived the program"
grep -q '^LCID=' "$XDG_CONFIG_HOME/Tessaro/settings.ini" || fail "settings.ini holds no LCID"

# No keyboard: the real HID stack finds none of ours; only the virtual device
# and the key filter are simulated.
TESSARO_SIMULATE=input,audio,screen,tray,net "$program" 2>"$work/third.err" &
third=$!
pids+=("$third")
wait_for "the home page without a keyboard" grep -q 'window shows status T61, tab 0, tabs hidden' "$work/third.err"
kill -TERM "$third"
wait_exit "$third"
[ "$rc" = 0 ] || fail "SIGTERM gave $rc"
echo "PASS"
