#!/usr/bin/env bash
# tessaro --simulate where there is no display, so it runs without a window: it finds the simulated
# keyboard (the version query "07 FD" reaches interface 2), a second start
# hands over to it and exits 0, and "exit" on the instance socket or SIGTERM
# ends it cleanly. Every process it starts is gone when it ends.
# Usage: headless_run.sh <path of tessaro>
set -euo pipefail

program=$1
# shellcheck source=tests/e2e/common.sh
source "$(dirname "$0")/common.sh"
unset DISPLAY

command -v python3 >/dev/null || { echo "python3 is missing: skipped"; exit 77; }

"$program" --simulate 2>"$work/first.err" &
first=$!
pids+=("$first")
wait_for "the version query in the simulation log" grep -qs ' MI_02 feature 07 FD' "$TESSARO_SIM_LOG"
wait_for "the instance socket" test -S "$socket"
[ "$(stat -c %a "$socket")" = 600 ] || fail "socket mode is $(stat -c %a "$socket")"

rc=0
"$program" --simulate 2>"$work/second.err" || rc=$?
[ "$rc" = 0 ] || fail "second start exited $rc"
kill -0 "$first" 2>/dev/null || fail "the first instance ended on the second start"
wait_for "the first instance to hear the second" grep -q 'asked to show the window' "$work/first.err"

send_line exit
wait_exit "$first"
[ "$rc" = 0 ] || fail "exit through the socket gave $rc"
[ ! -e "$socket" ] || fail "the socket outlived the program"
grep -q '^LCID=' "$XDG_CONFIG_HOME/Tessaro/settings.ini" || fail "settings.ini holds no LCID"

# A stale socket of a program that is gone must not keep the next one out.
python3 -c 'import socket,sys; socket.socket(socket.AF_UNIX).bind(sys.argv[1])' "$socket"
"$program" --simulate 2>"$work/third.err" &
third=$!
pids+=("$third")
wait_for "the third start to listen" grep -q 'runs without a window' "$work/third.err"
kill -TERM "$third"
wait_exit "$third"
[ "$rc" = 0 ] || fail "SIGTERM gave $rc"
echo "PASS"
