#!/usr/bin/env bash
# Draws the program's window into PNG files under Qt's offscreen platform, as it looks after
# start-up with the default parameters (a fresh vestaMar.ini in a temporary folder):
#   <build>/screenshot.png        the window after start-up
#   <build>/screenshot-panel.png  the window with the parameter-tables panel open (Tabelas)
#   scripts/screenshot.sh <build folder>
set -euo pipefail

build=${1:-build}
cmake --build "$build" --target vestamar_captura

export QT_QPA_PLATFORM=offscreen
export LC_ALL=${LC_ALL:-pt_BR.UTF-8}

pasta=$(mktemp -d)
trap 'rm -rf "$pasta"' EXIT
"$build/app/vestamar_captura" "$pasta" "$build/screenshot.png" "$build/screenshot-panel.png"
echo "screenshot: $build/screenshot.png and $build/screenshot-panel.png"
