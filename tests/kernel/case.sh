#!/usr/bin/env bash
# One case of the kernel tier, read from the results the boot left.
#   case.sh RESULTS CASE
set -uo pipefail
results=$1 name=$2
if [ ! -f "$results" ]; then
  echo "no results: the kernel boot did not run"
  exit 1
fi
if grep -q '^SKIPPED: ' "$results"; then
  cat "$results"
  exit 77
fi
line=$(grep "^TESSARO-CASE [A-Z]* $name:" "$results")
if [ -z "$line" ]; then
  echo "$name did not report; the boot's output tells why"
  cat "$results"
  exit 1
fi
echo "$line"
[[ $line == "TESSARO-CASE PASS "* ]]
