#!/usr/bin/env bash
# Installs what is needed, builds everything with sanitizers and warnings as
# errors, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset ci
cmake --build --preset ci
ctest --preset ci -j "$(nproc)"
