#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the demo run need.
# Safe to run again: it installs only what is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libqt6opengl6-dev qt6-webengine-dev
  libgl-dev
  libcpp-httplib-dev libsqlite3-dev rapidjson-dev libjpeg62-turbo-dev libgif-dev libgsf-1-dev libfreexl-dev libssl-dev zlib1g-dev libbrotli-dev
  clang-format fonts-wine fonts-liberation fonts-dejavu-core
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Kuruluyor: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
