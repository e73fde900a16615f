#!/usr/bin/env bash
# Installs the Debian packages fapiao needs, only those that are missing.
set -euo pipefail
packages=(
  build-essential cmake pkg-config
  qt6-base-dev libqt6sql6-sqlite libgl-dev
  libfreexl-dev libsodium-dev libxlsxwriter-dev
  fonts-arphic-uming fonts-dejavu-core sqlite3 poppler-utils
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
