# Sourced by the Windows scripts: a Wine prefix of the project's own, without a display unless
# one is given, without Wine's console noise and without offering to download the .NET and
# HTML engines.
#   preparar_prefixo <prefix folder> [Windows DLL folder ...]
# Exports WINEPREFIX, HOME (the prefix's own: Wine maps Documents and the desktop to $HOME),
# WINEDEBUG, WINEDLLOVERRIDES and WINEPATH (the DLL folders given, as Windows paths), and
# installs the Liberation fonts into the prefix (a new prefix has neither Arial nor Tahoma).

WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver64

caminho_windows() { echo "Z:${1//\//\\}"; }

preparar_prefixo() {
  local prefixo=$1; shift
  export WINEPREFIX=$prefixo
  export HOME=$prefixo/casa
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  mkdir -p "$HOME"
  local pastas=() pasta
  for pasta in "$@"; do
    pastas+=("$(caminho_windows "$pasta")")
  done
  WINEPATH=$(IFS=';'; echo "${pastas[*]}")
  export WINEPATH
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "wine: preparing the prefix $WINEPREFIX (about 10-30 s the first time)"
    DISPLAY= "$WINE" wineboot --init >/dev/null 2>&1 || true
    "$WINESERVER" --wait || true
  fi
  local fontes=$WINEPREFIX/drive_c/windows/Fonts
  mkdir -p "$fontes"
  cp -u /usr/share/fonts/truetype/liberation/*.ttf "$fontes/"
}

# A display of the script's own for Qt's windows platform: Xvfb at $DISPLAY, with openbox unless
# told `sem-gerenciador`. Their processes are kept in `pids`; `encerrar` ends them and every
# program of the prefix.
pids=()
abrir_tela() {
  Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 & pids+=($!)
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.2; done
  if [ "${1:-}" != sem-gerenciador ]; then openbox >/dev/null 2>&1 & pids+=($!); fi
}
encerrar() {
  "$WINESERVER" -k 2>/dev/null || true
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  pids=()
}

# The folders of MinGW-w64's runtime DLLs (libstdc++, libgcc, winpthread), for programs run
# from the build folder; an installed program carries its own copies.
pastas_mingw() {
  dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)"
  dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libwinpthread-1.dll)"
}
