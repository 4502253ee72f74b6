#!/usr/bin/env bash
# Builds the program and all its tests for 64-bit Windows (scripts/windows.sh: MinGW-w64, the
# cached Qt for Windows) and runs, under Wine, in a Wine prefix of their own:
#   - every CTest entry: engine, parameter file, portability, and the window and program tests
#     on Qt's offscreen platform, each under both regional settings (Wine takes the Windows
#     locale from LC_ALL, which each entry sets);
#   - the window, program and printing tests again on Qt's windows platform (Xvfb, openbox;
#     display :92 unless VESTAMAR_DISPLAY_TESTES says otherwise);
#   - the installer: scripts/test-windows-instalador.sh (installs setup.exe /S into a fresh
#     prefix, drives the installed program, uninstalls).
#   scripts/test-windows.sh [build folder]     (default build-windows)
# Needs what `scripts/setup.sh windows` installs and fetches.
set -euo pipefail

raiz=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build-windows}
case $build in /*) ;; *) build=$raiz/$build ;; esac
jobs=${JOBS:-$(nproc)}

bash "$raiz/scripts/windows.sh" "$build"
cmake --build "$build/vestamar" -j "$jobs"

source "$raiz/scripts/wine-prefixo.sh"
qt=$(bash "$raiz/scripts/qt-windows.sh" --prefix)
mapfile -t mingw < <(pastas_mingw)
# pdftoppm, pdftotext and pdfinfo for the printing tests, which rasterise and read the pages they print:
# Debian's, run through a bridge that waits for them (scripts/wine-unix.c).
unix=$build/wine-unix
mkdir -p "$unix"
x86_64-w64-mingw32-gcc -municode -O2 -Wall -Werror -o "$unix/ponte.exe" "$raiz/scripts/wine-unix.c"
for programa in pdftoppm pdftotext pdfinfo; do cp "$unix/ponte.exe" "$unix/$programa.exe"; done
ln -sf "$raiz/scripts/wine-unix.sh" "$unix/wine-unix-sh.exe"
preparar_prefixo "$build/wine" "$qt/bin" "${mingw[@]}" "$unix"
# The offscreen platform draws with Qt's FreeType font database, which reads the fonts in
# <Qt>/lib/fonts, not Windows': the window's fonts, Liberation Sans for Arial, go there.
mkdir -p "$qt/lib/fonts"
cp -u /usr/share/fonts/truetype/liberation/*.ttf "$qt/lib/fonts/"
# Qt's Portuguese texts where this Qt looks for them (the installed program has its own copy).
mkdir -p "$qt/translations"
cp -u /usr/share/qt6/translations/qtbase_pt_BR.qm "$qt/translations/"
unset DISPLAY WAYLAND_DISPLAY

cd "$build/vestamar"
# Each CTest entry once per regional setting: the two settings one after the other, never at
# once: a program a test starts takes the locale of the prefix's Wine session, which a program
# started meanwhile under the other setting may have changed (a pt_BR test then read its report
# in en_US figures). One wineserver serves each pass: otherwise a test's program may reach a
# server that is shutting down after the previous program ended ("recvmsg: Connection reset").
trap encerrar EXIT
passagem() {  # passagem <parallel jobs> <entries: regular expression>
  "$WINESERVER" -k 2>/dev/null || true
  "$WINESERVER" -w || true
  "$WINESERVER" -p
  # The session's own processes (services, explorer) start with the first program and live as
  # long as the server: started here, they hold no test's output open (CTest's test discovery
  # waits for its output to close and would time out).
  "$WINE" cmd /c ver >/dev/null 2>&1 </dev/null
  # A test that fails is run once more, and fails the run only if it fails again: now and then
  # a Windows program under Wine ends at once, before any of its own code runs, with no output.
  ctest --output-on-failure --repeat until-pass:2 -j "$1" -R "$2" -E en_US ${VESTAMAR_CTEST_ARGS:-}
  ctest --output-on-failure --repeat until-pass:2 -j "$1" -R "$2.*en_US" ${VESTAMAR_CTEST_ARGS:-}
}

# Every entry, the window tests on Qt's offscreen platform.
cmake -DVESTAMAR_PLATAFORMA_WINE=offscreen . >/dev/null
passagem "$jobs" .

# The window, program and printing tests once more on the windows platform, the one users see:
# Wine's X11 driver on a display of their own with a window manager, one program at a time
# (they share the screen and its focus). The prefix gets no browser for this pass (Wine's own
# would open the help page), as the help test expects of a machine without one.
export DISPLAY=${VESTAMAR_DISPLAY_TESTES:-:92}
abrir_tela
cmake -DVESTAMAR_PLATAFORMA_WINE=windows . >/dev/null
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winebrowser.exe=d"
passagem 1 '^(ui|programa|impressao)_'
cmake -DVESTAMAR_PLATAFORMA_WINE=offscreen . >/dev/null
encerrar
unset DISPLAY

bash "$raiz/scripts/test-windows-instalador.sh" "$build"
