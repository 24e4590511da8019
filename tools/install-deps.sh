#!/usr/bin/env bash
# Installs the Debian packages the build, the demo and the tests need; does nothing when all are present.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config dpkg-dev
  g++-mingw-w64-x86-64-posix mingw-w64-tools binutils-mingw-w64-x86-64
  wine wine64
  xvfb xauth xdotool imagemagick
  libstb-dev libgtest-dev libbenchmark-dev libsndfile1-dev libcairo2-dev libx11-dev libxcb1-dev
  libjack-jackd2-dev jackd2
  python3-cairo python3-numpy python3-pil fonts-dejavu-core
  clang-14 libclang-rt-14-dev libfuzzer-14-dev
  zam-plugins lsp-plugins-vst ardour qtractor
  lv2-dev sordi liblilv-dev lilv-utils jalv jackd2 x11-utils
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
echo "Installing: ${missing[*]}"
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
