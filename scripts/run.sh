#!/usr/bin/env bash
# Opens the program's window. Needs a desktop session; without one it says so and fails.
#   scripts/run.sh <path to the vestamar executable>
#   scripts/run.sh --check     only tells whether a desktop session is there
set -euo pipefail

programa=${1:-build/vestamar}

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  cat >&2 <<'MSG'
run: no desktop session here (neither DISPLAY nor WAYLAND_DISPLAY is set).
     vestaMar is a desktop window: run "make run" from a graphical session
     (a local desktop, or ssh -X / a VNC or RDP session that sets DISPLAY).
     Without a desktop, "make screenshot" draws the window into build/screenshot.png.
MSG
  exit 1
fi
[ "$programa" = "--check" ] && exit 0

if [ ! -x "$programa" ]; then
  echo "run: $programa not found; build it first (make build)" >&2
  exit 1
fi

exec "$programa"
