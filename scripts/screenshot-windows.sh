#!/usr/bin/env bash
# Draws the program's window under Wine, on Qt's windows platform (the look and the text
# rendering of the Windows program, with the Liberation fonts installed in the prefix), into
#   <build>/screenshot-windows.png (and -working, -small, -dialog, -panel, as scripts/screenshot.sh)
#   scripts/screenshot-windows.sh [build folder]     (default build-windows)
# LC_ALL picks the regional settings (default pt_BR.UTF-8); VESTAMAR_DISPLAY the X display the
# windows platform needs (default :91; an Xvfb is started there).
set -euo pipefail

raiz=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build-windows}
case $build in /*) ;; *) build=$raiz/$build ;; esac
jobs=${JOBS:-$(nproc)}

bash "$raiz/scripts/windows.sh" "$build"
cmake --build "$build/vestamar" -j "$jobs" --target vestamar_captura

source "$raiz/scripts/wine-prefixo.sh"
qt=$(bash "$raiz/scripts/qt-windows.sh" --prefix)
mapfile -t mingw < <(pastas_mingw)
preparar_prefixo "$build/wine" "$qt/bin" "${mingw[@]}"
export LC_ALL=${LC_ALL:-pt_BR.UTF-8}

export DISPLAY=${VESTAMAR_DISPLAY:-:91}
pasta=$(mktemp -d)
trap 'encerrar; rm -rf "$pasta"' EXIT
abrir_tela sem-gerenciador
"$WINE" "$build/vestamar/app/vestamar_captura.exe" -platform windows \
  "$(caminho_windows "$pasta")" "$(caminho_windows "$build/screenshot-windows")"
echo "screenshots: $build/screenshot-windows{,-working,-small,-dialog,-panel}.png"
