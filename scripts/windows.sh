#!/usr/bin/env bash
# The program for 64-bit Windows (`make windows`), built with MinGW-w64 against the Qt for
# Windows that scripts/qt-windows.sh builds once from Debian's source and caches:
#   <build>/vestamar-<version>-setup.exe     installer (NSIS), for Program Files
#   <build>/vestamar-<version>-windows.zip   portable folder: keeps vestaMar.ini beside the exe
#   scripts/windows.sh [build folder]        (default build-windows)
# The build folder <build>/vestamar also holds the tests, which scripts/test-windows.sh builds
# and runs under Wine. Needs what `scripts/setup.sh windows` installs and fetches.
set -euo pipefail

raiz=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build-windows}
case $build in /*) ;; *) build=$raiz/$build ;; esac
jobs=${JOBS:-$(nproc)}
mkdir -p "$build"

qt=$(bash "$raiz/scripts/qt-windows.sh" | tail -n 1)
toolchain=$qt/lib/cmake/Qt6/qt.toolchain.cmake

# GoogleTest from Debian's source package, built once for the target with the same compilers.
gtest=$build/googletest
if [ ! -f "$gtest/install/lib/cmake/GTest/GTestConfig.cmake" ]; then
  cmake -S /usr/src/googletest -B "$gtest/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$qt/mingw-w64-qt.cmake" -DCMAKE_BUILD_TYPE=Release \
    -DBUILD_GMOCK=OFF -DINSTALL_GTEST=ON -DCMAKE_INSTALL_PREFIX="$gtest/install"
  cmake --build "$gtest/build" -j "$jobs"
  cmake --install "$gtest/build"
fi

# -O2 rather than Release's -O3: with -O3, GCC 12 reports a -Wrestrict false positive inside
# libstdc++'s string code, and warnings are errors here as in every test build.
cmake -S "$raiz" -B "$build/vestamar" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
  -DCMAKE_FIND_ROOT_PATH="$gtest/install" \
  -DVESTAMAR_WERROR=ON
cmake --build "$build/vestamar" -j "$jobs" --target vestamar vestamar_modulo_impressora

versao=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/vestamar/CMakeCache.txt")
nome=vestamar-$versao

# The installer's tree (with the marker `instalado`) and the portable folder (without it).
arvore=$build/instalacao
portatil=$build/$nome
rm -rf "$arvore" "$portatil"
cmake --install "$build/vestamar" --prefix "$arvore" --strip >/dev/null
cmake --install "$build/vestamar" --prefix "$portatil" --strip --component Unspecified >/dev/null
[ -f "$arvore/instalado" ] && [ ! -e "$portatil/instalado" ]
# Qt's and MinGW's DLLs are copied as they are, with their symbols: stripped here (libstdc++
# alone goes from 23 MB to 2 MB).
find "$arvore" "$portatil" -name '*.dll' -exec x86_64-w64-mingw32-strip --strip-unneeded {} +

zip_saida=$build/$nome-windows.zip
rm -f "$zip_saida"
(cd "$build" && zip -q -r -X "$zip_saida" "$nome")

# The installer names each file it installs, and its uninstaller removes just those.
lista=$build/nsis
rm -rf "$lista" && mkdir -p "$lista"
(
  cd "$arvore"
  find . -type d | sort | while read -r pasta; do
    janela=${pasta#.}; janela=${janela//\//\\}
    echo "SetOutPath \"\$INSTDIR$janela\""
    find "$pasta" -maxdepth 1 -type f | sort | while read -r arquivo; do
      echo "File \"$arvore/${arquivo#./}\""
    done
  done > "$lista/arquivos.nsh"
  { find . -type f | sort | while read -r arquivo; do
      a=${arquivo#.}; echo "Delete \"\$INSTDIR${a//\//\\}\""; done
    find . -mindepth 1 -type d | sort -r | while read -r pasta; do
      p=${pasta#.}; echo "RMDir \"\$INSTDIR${p//\//\\}\""; done
  } > "$lista/remocao.nsh"
)
setup=$build/$nome-setup.exe
makensis -V2 -DVERSAO="$versao" -DICONE="$raiz/ui/recursos/vestamar.ico" -DSAIDA="$setup" \
  -DARQUIVOS="$lista/arquivos.nsh" -DREMOCAO="$lista/remocao.nsh" "$raiz/scripts/vestamar.nsi"

echo "windows: $setup ($(du -h "$setup" | cut -f1)), $zip_saida ($(du -h "$zip_saida" | cut -f1))"
