#!/usr/bin/env bash
# Installs what the trainer needs on Debian 12 (only what is missing), then
# configures and builds it. The program folder is build/bin.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${DRILL_BUILD_DIR:-$here/build}

packages=(
  build-essential cmake pkg-config git
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl-dev
  libsqlcipher-dev sqlcipher
  libgtest-dev googletest
  openssl
  fonts-arphic-uming fonts-arphic-ukai fonts-wqy-microhei
  # the slides' Song face is cut from fonts-arphic-uming at build time
  python3-fonttools fontconfig
  libxcb1-dev
  xvfb xauth xdotool imagemagick openbox x11-utils
  qt6-qpa-plugins
  # the classroom: the client library, and the server its tests start in a temporary folder
  libpq-dev postgresql
  # the icon's PNGs, the checks of the menu entry and the AppStream file, the .deb's dependencies
  librsvg2-bin desktop-file-utils appstream dpkg-dev
  # Debian's own checks of the built .deb (package_lintian)
  lintian
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

werror=OFF
[ "${CI:-}" = "true" ] && werror=ON
cmake -S "$here" -B "$build" -DDRILL_WERROR=$werror
cmake --build "$build" -j2
