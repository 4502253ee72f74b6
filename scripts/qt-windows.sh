#!/usr/bin/env bash
# Builds Qt 6 for 64-bit Windows from Debian's qt6-base source with MinGW-w64, once, into a
# cache folder outside the clone, and prints that folder (the Qt prefix) on its last line.
#   scripts/qt-windows.sh            build if needed, print the prefix
#   scripts/qt-windows.sh --prefix   only print the prefix it would use
# The folder is ~/.cache/vestamar/qt-<key> (VESTAMAR_CACHE overrides ~/.cache/vestamar), where
# <key> is a hash of the source tarball's checksum, the configure line, the patch file and the
# toolchain file: changing any of them builds a new Qt beside the old one. A folder holds a
# finished Qt only when its `.completo` stamp exists; anything else is left-over and rebuilt.
# Host tools (moc, rcc, uic, ...) are Debian's own from qt6-base-dev-tools, same version.
# Needs what `scripts/setup.sh windows` installs and fetches. Takes 15-40 minutes on two cores;
# JOBS sets the parallel jobs (default: the number of processors).
set -euo pipefail

raiz=$(cd "$(dirname "$0")/.." && pwd)
cache=${VESTAMAR_CACHE:-$HOME/.cache/vestamar}
jobs=${JOBS:-$(nproc)}
fonte_tar=$cache/src/qt6-base_6.4.2+dfsg.orig.tar.xz
fonte_sha256=4f14b89a9463a540fd84a6718b8519a2297119b454ef547721015a9e9019ae9e
patch_file=$raiz/scripts/qt6-base-windows.patch
toolchain=$raiz/scripts/mingw-w64-qt.cmake

# What this program needs of Qt: Core, Gui, Widgets, PrintSupport, Test, the windows, offscreen
# and minimal platforms, the Windows styles. The bundled FreeType is what the offscreen
# platform draws text with; Direct2D, OpenGL, Vulkan and the modules not used are left out.
configure_args=(
  -xplatform win32-g++ -release -shared -nomake tests -nomake examples
  -no-opengl -no-dbus -no-icu -no-feature-vulkan -no-feature-direct2d
  -no-feature-sql -no-feature-network -no-feature-xml -no-feature-concurrent
  -qt-zlib -qt-libpng -no-libjpeg -no-gif -qt-harfbuzz -qt-pcre -qt-freetype
)

chave=$( { echo "$fonte_sha256"; echo "${configure_args[*]}"; cat "$patch_file" "$toolchain"; } \
         | sha256sum | cut -c1-16)
prefixo=$cache/qt-$chave

if [ "${1:-}" = --prefix ]; then echo "$prefixo"; exit 0; fi
if [ -f "$prefixo/.completo" ]; then echo "$prefixo"; exit 0; fi

if [ ! -f "$fonte_tar" ] || ! echo "$fonte_sha256  $fonte_tar" | sha256sum --check --status; then
  echo "qt-windows: $fonte_tar is missing or damaged; run 'bash scripts/setup.sh windows'" >&2
  exit 1
fi

trabalho=$cache/qt-$chave.build
rm -rf "$prefixo" "$trabalho"
mkdir -p "$trabalho" "$prefixo"
inicio=$(date +%s)
echo "qt-windows: building Qt for Windows into $prefixo (15-40 minutes; work folder $trabalho)" >&2

tar -xJf "$fonte_tar" -C "$trabalho"
fonte=$trabalho/qtbase-everywhere-src-6.4.2
patch -d "$fonte" -p1 --forward --quiet < "$patch_file"
# The copy the generated qt.toolchain.cmake loads from now on.
cp "$toolchain" "$prefixo/mingw-w64-qt.cmake"

mkdir -p "$trabalho/build"
cd "$trabalho/build"
"$fonte/configure" -prefix "$prefixo" -qt-host-path /usr "${configure_args[@]}" -- \
  -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$prefixo/mingw-w64-qt.cmake" \
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
cmake --build . --parallel "$jobs"
cmake --install .

cd "$cache"
rm -rf "$trabalho"
date -u +%FT%TZ > "$prefixo/.completo"
echo "qt-windows: Qt built in $(( ($(date +%s) - inicio) / 60 )) min" >&2
echo "$prefixo"
