#!/usr/bin/env bash
# Installs the Debian packages that Quillmere needs: "play" for building and running the game,
# "web" for building the web page and testing it in Chromium, "test" for all of that plus the
# test suite, the Windows cross-build, Wine and the X server tests.
set -euo pipefail

play=(cmake make g++ pkg-config libsdl2-dev libfreetype-dev libfontconfig-dev fonts-liberation
      libcanberra-dev
      zlib1g-dev binutils-mingw-w64-x86-64 libatk1.0-dev libatk-bridge2.0-dev)
test=(googletest libgtest-dev libbenchmark-dev g++-mingw-w64-x86-64 wine wine64 xvfb xauth
      xdotool xclip imagemagick x11-utils dpkg-dev file lintian appstream
      desktop-file-utils man-db openbox xsettingsd dbus-daemon at-spi2-core python3-pyatspi)
web=(cmake make g++ pkg-config libfreetype-dev libfontconfig-dev fonts-liberation
     binutils-mingw-w64-x86-64 clang-14 lld-14 llvm-14 wasi-libc libc++-14-dev-wasm32
     libc++abi-14-dev-wasm32 libclang-rt-14-dev-wasm32 binaryen chromium python3 brotli gzip)
# Node.js and npm for the test driver, from Debian unless a newer Node.js is installed already.
command -v npm >/dev/null 2>&1 || web+=(nodejs npm)

case "${1:-test}" in
play) wanted=("${play[@]}") ;;
web) wanted=("${web[@]}") ;;
test) wanted=("${play[@]}" "${test[@]}" "${web[@]}") ;;
*)
    echo "usage: $0 [play|web|test]" >&2
    exit 2
    ;;
esac

missing=()
for package in "${wanted[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q "${missing[@]}"
