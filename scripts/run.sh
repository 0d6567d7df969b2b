#!/usr/bin/env bash
# Installs what is needed, builds the program and runs it against the simulated
# keyboard. Extra arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset release
cmake --build --preset release
if [ $# -eq 0 ]; then set -- --simulate; fi
exec build/release/bin/tessaro "$@"
