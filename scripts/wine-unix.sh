#!/bin/sh
# The Linux half of the bridge that lets a Windows program under Wine run a Linux program and
# wait for it (the Windows half, scripts/wine-unix.c, explains why it is needed). Started by it
# as:  wine-unix.sh <folder> <program> [argument ...]
# runs /usr/bin/<program> with the Windows paths among the arguments (C:\..., C:/...) turned
# into paths of the Wine prefix, its output and errors into <folder>/saida and <folder>/erros,
# and its exit status into <folder>/estado last (the Windows half waits for that file).
# The printing tests rasterise and read their PDF pages with pdftoppm and pdftotext this way.
unix() {
  case $1 in
    [A-Za-z]:[\\/]*)
      unidade=$(printf '%s' "$1" | cut -c1 | tr 'A-Z' 'a-z')
      resto=$(printf '%s' "$1" | cut -c3- | tr '\\' '/')
      printf '%s' "$WINEPREFIX/dosdevices/$unidade:$resto" ;;
    *) printf '%s' "$1" ;;
  esac
}
pasta=$(unix "$1")
nome=$2
shift 2
for argumento in "$@"; do
  set -- "$@" "$(unix "$argumento")"
  shift
done
"/usr/bin/$nome" "$@" >"$pasta/saida" 2>"$pasta/erros"
echo $? >"$pasta/estado.novo"
mv "$pasta/estado.novo" "$pasta/estado"
