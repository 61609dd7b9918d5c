#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need, when they are missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-tools-dev libqt6opengl6-dev libgl-dev qt6-pdf-dev
  xvfb xauth poppler-utils desktop-file-utils shared-mime-info dpkg-dev
  clang libclang-rt-14-dev
  libreoffice-writer groff fonts-liberation2 fonts-dejavu-core
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

as_root=()
if [ "$(id -u)" -ne 0 ]; then
  as_root=(sudo)
fi
echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq "${missing[@]}"
