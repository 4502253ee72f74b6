#!/usr/bin/env bash
# Runs every benchmark binary of a build folder (make bench).
set -euo pipefail
build=${1:-build-bench}
status=0
found=0
for b in "$build"/bench/*/bench_* "$build"/bench/bench_*; do
  [ -x "$b" ] && [ -f "$b" ] || continue
  found=1
  echo "== $(basename "$b")"
  QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$b" || status=1
done
[ "$found" = 1 ] || { echo "bench: no benchmark found in $build" >&2; exit 1; }
exit $status
