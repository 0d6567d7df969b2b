#!/usr/bin/env bash
# tessaro --simulate where there is no display, so it runs without a window: it finds the simulated
# keyboard (the version query "07 FD" reaches interface 2), a second start
# hands over to it and exits 0, and "exit" on the instance socket or SIGTERM
# ends it cleanly. Every process it starts is gone when it ends.
# Usage: headless_run.sh <path of tessaro>
set -euo pipefail

program=$1
work=$(mktemp -d /tmp/tessaro-e2e-XXXXXX)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill -KILL "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

mkdir -m 700 "$work/run"
export XDG_RUNTIME_DIR=$work/run XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
export TESSARO_SIM_LOG=$work/sim.log LANG=en_US.UTF-8
unset TESSARO_SIMULATE DBUS_SESSION_BUS_ADDRESS DISPLAY WAYLAND_DISPLAY
socket=$XDG_RUNTIME_DIR/Tessaro.socket

fail() { echo "FAIL: $*" >&2; for f in "$work"/*.err "$TESSARO_SIM_LOG"; do [ -f "$f" ] && sed 's/^/  /' "$f" >&2; done; exit 1; }

# wait_for <what> <command...>: up to 30 s.
wait_for() {
  local what=$1; shift
  for _ in $(seq 300); do "$@" && return 0; sleep 0.1; done
  fail "timed out waiting for $what"
}

# wait_exit <pid>: its exit code in rc, or a failure when it does not end in 30 s.
# (In this shell, not a subshell: only the parent can wait for its child.)
wait_exit() {
  for _ in $(seq 300); do kill -0 "$1" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$1" 2>/dev/null && fail "process $1 did not end"
  rc=0
  wait "$1" || rc=$?
}

send_line() {
  python3 -c 'import socket,sys; s=socket.socket(socket.AF_UNIX); s.connect(sys.argv[1]); s.sendall((sys.argv[2]+"\n").encode()); s.close()' "$socket" "$1"
}

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
