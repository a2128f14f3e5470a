#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only those that
# are missing, and any packages named as arguments.  Safe to run again and
# again.
set -euo pipefail

packages=(
  cmake make g++ python3
  googletest libgtest-dev
  clang libclang-rt-14-dev
  mingw-w64
  wine wine64 fonts-wine
  xvfb imagemagick xdotool x11-utils
  faketime
  nsis zip unzip
)

# Scripts that need more (the benchmark, the packaging) name it.
packages+=("$@")

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "bootstrap: missing packages: ${missing[*]}; run as root (or with sudo) to install them" >&2
  exit 1
fi

echo "bootstrap: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq "${missing[@]}" >/dev/null
