#!/usr/bin/env bash
# Builds everything and runs the whole suite: the Windows program (MinGW-w64), the Linux build
# with its tests, the same tests again under AddressSanitizer and UndefinedBehaviorSanitizer, and
# the web page, played in headless Chromium.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$PWD

scripts/deps.sh test
jobs=$(nproc)

echo "== Windows program"
cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release
cmake --build build-windows -j "$jobs"

echo "== Linux build and tests"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLMERE_WINDOWS_BUILD="$top/build-windows"
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

echo "== Tests under AddressSanitizer and UndefinedBehaviorSanitizer"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$top/scripts/lsan.supp:print_suppressions=0
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLMERE_SANITIZE=ON \
    -DQUILLMERE_BENCH=OFF -DQUILLMERE_WINDOWS_BUILD="$top/build-windows"
cmake --build build-sanitize -j "$jobs"
ctest --test-dir build-sanitize --output-on-failure -j "$jobs"

echo "== Web page in headless Chromium"
scripts/web.sh --test
