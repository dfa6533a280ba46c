#!/usr/bin/env bash
# Installs the Debian packages the build needs; does nothing when all are present.
# With ZB_FUZZ_DEPS=1 (or the argument --fuzz) also clang and its runtime for the fuzz drivers.
set -euo pipefail

packages=(
  build-essential cmake pkg-config ccache
  libsdl2-dev libsdl2-mixer-dev libsdl2-image-dev
  zlib1g-dev libssl-dev libcurl4-openssl-dev
  libgtest-dev googletest
  libcairo2-dev libfreetype-dev
  libcpp-httplib-dev libsqlite3-dev libpq-dev postgresql
  fonts-dejavu-core fonts-lobster fonts-comfortaa
  xvfb xauth x11-utils x11-apps xdotool imagemagick
  desktop-file-utils appstream gettext
)
if [ "${ZB_FUZZ_DEPS:-0}" = 1 ] || [ "${1:-}" = "--fuzz" ]; then
  packages+=(clang libclang-rt-14-dev)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
