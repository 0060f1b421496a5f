#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the tools need; does
# nothing when all of them are present.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config
  libarchive-dev zlib1g-dev
  qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-tools-dev qt6-qpa-plugins
  libqt6svg6 libgl-dev adwaita-icon-theme qt6-translations-l10n
  fonts-liberation2 fonts-dejavu-core
  clang libclang-rt-14-dev
  xvfb xauth xdotool imagemagick poppler-utils qpdf
  librsvg2-bin desktop-file-utils appstream dpkg-dev file
  python3-dbfread pgdbf hyperfine
  locales
)
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
# The engine's tests read and write values under the Czech locale of the
# users as well; generate it when the system does not have it yet.
if ! locale -a 2>/dev/null | grep -qiE '^cs_CZ\.utf-?8$'; then
  echo "Generating the cs_CZ.UTF-8 locale"
  if grep -qE '^#[[:space:]]*cs_CZ\.UTF-8 UTF-8' /etc/locale.gen; then
    $sudo sed -i -E 's/^#[[:space:]]*(cs_CZ\.UTF-8 UTF-8)/\1/' /etc/locale.gen
  elif ! grep -qE '^cs_CZ\.UTF-8 UTF-8' /etc/locale.gen; then
    echo 'cs_CZ.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
  fi
  $sudo locale-gen
fi
