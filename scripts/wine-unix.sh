#!/bin/sh
# Lets a Windows program under Wine start a Linux program: linked as <program>.exe into a folder
# on WINEPATH, it runs /usr/bin/<program> (Wine starts a Linux executable named .exe), with
# the Windows paths among the arguments (C:\..., C:/...) turned into paths of the Wine prefix.
# The printing tests rasterise their PDF pages with pdftoppm this way.
nome=$(basename "$0" .exe)
for argumento in "$@"; do
  case $argumento in
    [A-Za-z]:[\\/]*)
      unidade=$(printf '%s' "$argumento" | cut -c1 | tr 'A-Z' 'a-z')
      resto=$(printf '%s' "$argumento" | cut -c3- | tr '\\' '/')
      argumento="$WINEPREFIX/dosdevices/$unidade:$resto" ;;
  esac
  set -- "$@" "$argumento"
  shift
done
exec "/usr/bin/$nome" "$@"
