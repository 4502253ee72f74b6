#!/usr/bin/env bash
# The Windows installer under Wine, as an office would use it, in a fresh Wine prefix:
#   1. setup.exe /S installs into C:\Program Files\vestaMar, with the Start-menu entry and the
#      uninstaller, and the marker `instalado` beside vestamar.exe;
#   2. the installed program starts on the windows platform (Xvfb with openbox), a production
#      is typed into it and `Sair` saves: the user's file is %APPDATA%\vestaMar\vestaMar.ini
#      with that production, and nothing new appears beside the exe;
#   3. the uninstaller (/S) removes the program, its folder and its Start-menu entry, and leaves
#      the user's file.
#   scripts/test-windows-instalador.sh [build folder]    (default build-windows; `make windows` first)
# VESTAMAR_DISPLAY names the X display to use (default :91).
set -euo pipefail

raiz=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build-windows}
case $build in /*) ;; *) build=$raiz/$build ;; esac
versao=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/vestamar/CMakeCache.txt")
setup=$build/vestamar-$versao-setup.exe
[ -f "$setup" ] || { echo "test-windows-instalador: $setup is missing (make windows)" >&2; exit 1; }

source "$raiz/scripts/wine-prefixo.sh"
prefixo=$build/wine-instalador
rm -rf "$prefixo"
preparar_prefixo "$prefixo"
export LC_ALL=pt_BR.UTF-8

falhas=0
confere() {  # confere <description> <command...>
  local descricao=$1; shift
  if "$@"; then echo "  ok: $descricao"; else echo "  FAILED: $descricao"; falhas=$((falhas + 1)); fi
}

# A display of our own with a window manager, so the window gets focus and keys.
export DISPLAY=${VESTAMAR_DISPLAY:-:91}
trap encerrar EXIT
abrir_tela

echo "installing $setup /S"
"$WINE" "$setup" /S
"$WINESERVER" --wait
programa="$prefixo/drive_c/Program Files/vestaMar"
menu="$prefixo/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/vestaMar.lnk"
confere "vestamar.exe installed in Program Files" test -f "$programa/vestamar.exe"
confere "the marker 'instalado' beside vestamar.exe" test -f "$programa/instalado"
confere "printing module vestamar_impressora.dll" test -f "$programa/vestamar_impressora.dll"
confere "uninstaller" test -f "$programa/desinstalar.exe"
confere "Start-menu entry" test -f "$menu"
antes=$(cd "$programa" && find . | sort)

# The installed program, as the Start menu starts it: type a production into "ProdBruta"
# (Produção Bruta, left column) and leave with `Sair` (Alt+S).
echo "starting the installed program"
(cd "$prefixo/casa" && "$WINE" 'C:\Program Files\vestaMar\vestamar.exe' >/dev/null 2>&1) & programa_pid=$!
janela=
for _ in $(seq 120); do
  janela=$(xdotool search --onlyvisible --name 'vestaMar' 2>/dev/null | head -n 1) && [ -n "$janela" ] && break
  sleep 0.5
done
confere "the window appears" test -n "$janela"
if [ -n "$janela" ]; then
  sleep 2
  xdotool windowactivate --sync "$janela" 2>/dev/null || xdotool windowfocus --sync "$janela"
  eval "$(xdotool getwindowgeometry --shell "$janela")"
  # ProdBruta lies at 2280,3120 twips (152,208 px at 96 dpi) from the window's client origin.
  xdotool mousemove --window "$janela" 190 218 click 1
  sleep 0.5
  xdotool key --clearmodifiers ctrl+a
  xdotool type --delay 80 '2345,67'
  xdotool key Tab
  sleep 1
  import -window root "$build/instalador-sessao.png" 2>/dev/null || true
  xdotool key --clearmodifiers alt+s
fi
for _ in $(seq 60); do kill -0 "$programa_pid" 2>/dev/null || break; sleep 0.5; done
confere "the program closed at Sair" bash -c "! kill -0 $programa_pid 2>/dev/null"
"$WINESERVER" --wait

usuario=$(ls "$prefixo/drive_c/users" | grep -vx Public | head -n 1)
ini="$prefixo/drive_c/users/$usuario/AppData/Roaming/vestaMar/vestaMar.ini"
confere "the user's file in %APPDATA%\\vestaMar" test -f "$ini"
confere "it holds the production typed" grep -qi '^prodBruta=2345[.,]67' "$ini"
depois=$(cd "$programa" && find . | sort)
confere "nothing new beside the exe" test "$antes" = "$depois"

echo "uninstalling"
"$WINE" 'C:\Program Files\vestaMar\desinstalar.exe' /S
"$WINESERVER" --wait
sleep 1; "$WINESERVER" --wait
confere "program folder removed" test ! -e "$programa"
confere "Start-menu entry removed" test ! -e "$menu"
confere "the user's file kept" test -f "$ini"

if [ "$falhas" -gt 0 ]; then echo "test-windows-instalador: $falhas check(s) failed" >&2; exit 1; fi
echo "test-windows-instalador: all checks passed"
