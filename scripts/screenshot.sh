#!/usr/bin/env bash
# Draws the window, as laid out, into PNG files under Qt's offscreen platform:
#   <build>/screenshot.png        the whole client area, with the parameter-tables panel
#                                 at its laid-out place on the right
#   <build>/screenshot-panel.png  the panel Frame1 alone
#   scripts/screenshot.sh <build folder>
set -euo pipefail

build=${1:-build}
cmake --build "$build" --target vestamar_captura

export QT_QPA_PLATFORM=offscreen
export LC_ALL=${LC_ALL:-pt_BR.UTF-8}

"$build/app/vestamar_captura" "$build/screenshot.png" "$build/screenshot-panel.png"
echo "screenshot: $build/screenshot.png and $build/screenshot-panel.png"
