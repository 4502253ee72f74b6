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
# The start-up once more under a real X server, where the window system takes its share.
if command -v xvfb-run >/dev/null && [ -x "$build/bench/ui/bench_ui" ]; then
  echo "== bench_ui under Xvfb"
  QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1366x768x24" "$build/bench/ui/bench_ui" \
    --benchmark_filter=Inicio || status=1
fi
# Start-up as the user sees it: from the process's start until the X server maps the window,
# the real executable (copied into an empty folder, as a user would) against a bare window.
if [ -x "$build/vestamar" ] && [ -x "$build/bench/ui/janela_nua" ]; then
  echo "== start-up until the window is mapped, under Xvfb"
  copia=$(mktemp -d)
  cp "$build/vestamar" "$copia/"
  LC_ALL=pt_BR.UTF-8 python3 bench/ui/inicio_mapeada.py --rodadas "${RODADAS:-15}" \
    "$build/bench/ui/janela_nua" "$copia/vestamar" || status=1
  rm -rf "$copia"
fi
exit $status
