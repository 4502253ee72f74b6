#!/usr/bin/env bash
# Cross-compiles engine/, params/ and their tests for 64-bit Windows with MinGW-w64 and runs
# the tests under Wine, headless, in a Wine prefix of their own inside the build folder.
#   scripts/test-windows.sh [build folder]     (default build-windows)
# Needs what `scripts/setup.sh windows` installs.
set -euo pipefail

raiz=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build-windows}
case $build in /*) ;; *) build=$raiz/$build ;; esac
jobs=${JOBS:-$(nproc)}
toolchain=$raiz/scripts/mingw-w64-x86_64.cmake
gerador=()
command -v ninja >/dev/null 2>&1 && gerador=(-G Ninja)

for programa in x86_64-w64-mingw32-g++-posix /usr/lib/wine/wine64; do
  if ! command -v "$programa" >/dev/null 2>&1; then
    echo "test-windows: $programa is missing; run 'bash scripts/setup.sh windows'" >&2
    exit 1
  fi
done

# GoogleTest from Debian's source package, built once for the target.
gtest=$build/googletest
if [ ! -f "$gtest/install/lib/cmake/GTest/GTestConfig.cmake" ]; then
  cmake -S /usr/src/googletest -B "$gtest/build" "${gerador[@]}" \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DBUILD_GMOCK=OFF -DINSTALL_GTEST=ON -DCMAKE_INSTALL_PREFIX="$gtest/install"
  cmake --build "$gtest/build" -j "$jobs"
  cmake --install "$gtest/build"
fi

cmake -S "$raiz" -B "$build/vestamar" "${gerador[@]}" \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_FIND_ROOT_PATH="$gtest/install" \
  -DVESTAMAR_UI=OFF -DVESTAMAR_WERROR=ON
cmake --build "$build/vestamar" -j "$jobs"

# Wine without a display, without its console noise, and without offering to download the
# .NET and HTML engines into a new prefix.
export WINEPREFIX=$build/wine
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "test-windows: preparing the Wine prefix (about 10 s the first time)"
  /usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1 || true
  /usr/lib/wine/wineserver64 --wait || true
fi

cd "$build/vestamar"
ctest --output-on-failure -j "$jobs" ${VESTAMAR_CTEST_ARGS:-}
