#!/usr/bin/env bash
# Draws the program's window into PNG files under Qt's offscreen platform, as it looks after
# start-up with the default parameters (a fresh vestaMar.ini in a temporary folder):
#   <build>/screenshot.png          the window after start-up
#   <build>/screenshot-working.png  the working of one result, as its tooltip shows it
#   <build>/screenshot-small.png    the window scrolling inside a screen too small for it
#   <build>/screenshot-dialog.png   the PDF save dialog, in the user's language
#   <build>/screenshot-panel.png    the window with the parameter-tables panel open (Tabelas)
#   <build>/screenshot-dark.png     the window under a dark system palette, keeping its own colours
#   <build>/screenshot-memoria.png  the "Memória de cálculo" window (F2)
#   scripts/screenshot.sh <build folder>
set -euo pipefail

build=${1:-build}
cmake --build "$build" --target vestamar_captura

export QT_QPA_PLATFORM=offscreen
export LC_ALL=${LC_ALL:-pt_BR.UTF-8}

pasta=$(mktemp -d)
trap 'rm -rf "$pasta"' EXIT
"$build/app/vestamar_captura" "$pasta" "$build/screenshot"
echo "screenshots: $build/screenshot{,-working,-small,-dialog,-panel,-dark,-memoria}.png"
