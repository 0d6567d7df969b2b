# shellcheck shell=bash
# What the end-to-end scripts share (sourced): a scratch folder holding the
# program's XDG folders and the simulation log, the processes a script starts
# (killed when it ends, however it ends), waits, and the instance socket.
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
unset TESSARO_SIMULATE DBUS_SESSION_BUS_ADDRESS WAYLAND_DISPLAY TESSARO_WINDOW_BACKEND
socket=$XDG_RUNTIME_DIR/Tessaro.socket

fail() {
  echo "FAIL: $*" >&2
  for f in "$work"/*.err "$TESSARO_SIM_LOG"; do
    [ -f "$f" ] && { echo "== $f" >&2; sed 's/^/  /' "$f" >&2; }
  done
  exit 1
}

# wait_for <what> <command...>: up to 30 s.
wait_for() {
  local what=$1
  shift
  for _ in $(seq 300); do "$@" && return 0; sleep 0.1; done
  fail "timed out waiting for $what"
}

# wait_exit <pid>: its exit code in rc, or a failure when it does not end in 30 s.
# (In the script's own shell, not a subshell: only the parent can wait for its child.)
# shellcheck disable=SC2034  # the calling script reads rc
wait_exit() {
  for _ in $(seq 300); do kill -0 "$1" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$1" 2>/dev/null && fail "process $1 did not end"
  rc=0
  wait "$1" || rc=$?
}

send_line() {
  python3 -c 'import socket,sys; s=socket.socket(socket.AF_UNIX); s.connect(sys.argv[1]); s.sendall((sys.argv[2]+"\n").encode()); s.close()' "$socket" "$1"
}
