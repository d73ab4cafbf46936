#!/usr/bin/env bash
# Installs the Debian packages that building and testing obscut need, only those missing.
set -euo pipefail

# locales: the C library's locale sources, from which a test makes a decimal-comma locale.
packages=(cmake ninja-build g++ libgtest-dev clang-format python3 locales)
# python3-segyio: an independent SEG-Y reader that a test checks our output files with.
packages+=(python3-segyio)
# qt6-base-dev: Qt 6 Widgets for the desktop program, QtTest and the offscreen platform its
# tests run on. fonts-dejavu-core is the sans-serif font the dialogs are laid out with, and
# fonts-dejavu-extra its condensed cut, in which the dialog texts fit at 8 points.
packages+=(qt6-base-dev fonts-dejavu-core fonts-dejavu-extra)
# clang with its runtime libraries (libFuzzer and the sanitizers) for the fuzz targets in fuzz/.
packages+=(clang libclang-rt-14-dev)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

if ((${#missing[@]})); then
  echo "Installing ${missing[*]}"
  sudo=""
  if [[ $(id -u) -ne 0 ]]; then
    sudo=sudo
  fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
