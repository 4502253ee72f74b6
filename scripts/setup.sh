#!/usr/bin/env bash
# Installs, on Debian 12, whatever the build and the tests need and is still missing,
# and generates the pt_BR.UTF-8 and en_US.UTF-8 locales used by the tests.
# `setup.sh windows` also installs what `make windows` and `make test-windows` need (the cross
# toolchain, Wine, NSIS, Debian's Qt host tools, an X server for the installed program's test)
# and fetches Debian's qt6-base source into ~/.cache/vestamar/src (VESTAMAR_CACHE overrides
# ~/.cache/vestamar), adding a deb-src entry for this Debian release when there is none.
# Safe to run again: it does nothing when everything is present.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-base-private-dev libqt6printsupport6 libgl-dev libcups2-dev
  qt6-translations-l10n
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  fonts-liberation fonts-dejavu-core
  poppler-utils
  locales
  dpkg-dev file lintian appstream desktop-file-utils qt6-translations-l10n
  xvfb xauth x11-utils
)
if [ "${1:-}" = windows ]; then
  packages+=(g++-mingw-w64-x86-64-posix wine64 googletest nsis ninja-build zip patch xz-utils
             qt6-base-dev-tools qt6-translations-l10n fonts-liberation
             openbox xdotool x11-utils imagemagick)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; elif command -v sudo >/dev/null; then sudo "$@"; else
    echo "setup: '$*' needs root (run as root or install sudo)" >&2; exit 1; fi
}

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  as_root env DEBIAN_FRONTEND=noninteractive apt-get update -q
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

need_locales=()
for loc in pt_BR.UTF-8 en_US.UTF-8; do
  norm=$(echo "$loc" | tr 'A-Z' 'a-z' | sed 's/-//g')
  if ! locale -a 2>/dev/null | tr 'A-Z' 'a-z' | grep -qx "$norm"; then need_locales+=("$loc"); fi
done
if [ ${#need_locales[@]} -gt 0 ]; then
  echo "setup: generating locales ${need_locales[*]}"
  for loc in "${need_locales[@]}"; do
    as_root sed -i "s/^# *\(${loc} UTF-8\)/\1/" /etc/locale.gen
    grep -q "^${loc} UTF-8" /etc/locale.gen || echo "${loc} UTF-8" | as_root tee -a /etc/locale.gen >/dev/null
  done
  as_root locale-gen
fi

# Debian's Qt source, from which scripts/qt-windows.sh builds Qt for Windows.
if [ "${1:-}" = windows ]; then
  fontes=${VESTAMAR_CACHE:-$HOME/.cache/vestamar}/src
  tarball=$fontes/qt6-base_6.4.2+dfsg.orig.tar.xz
  sha256=4f14b89a9463a540fd84a6718b8519a2297119b454ef547721015a9e9019ae9e
  if [ -f "$tarball" ] && echo "$sha256  $tarball" | sha256sum --check --status; then
    :
  else
    if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ && \
       ! grep -qs '^deb-src ' /etc/apt/sources.list; then
      codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
      # The same mirror as the binary packages.
      uri=$(grep -hm1 '^URIs:' /etc/apt/sources.list.d/*.sources 2>/dev/null | awk '{print $2}')
      uri=${uri:-http://deb.debian.org/debian}
      echo "setup: adding a deb-src entry for $codename"
      printf 'Types: deb-src\nURIs: %s\nSuites: %s %s-updates\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
        "$uri" "$codename" "$codename" | as_root tee /etc/apt/sources.list.d/vestamar-src.sources >/dev/null
      as_root env DEBIAN_FRONTEND=noninteractive apt-get update -q
    fi
    echo "setup: fetching Debian's qt6-base source into $fontes"
    mkdir -p "$fontes"
    (cd "$fontes" && apt-get source --download-only qt6-base >/dev/null)
    echo "$sha256  $tarball" | sha256sum --check --status || {
      echo "setup: $tarball does not have the expected checksum" >&2; exit 1; }
  fi
fi
