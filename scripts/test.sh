#!/usr/bin/env bash
# Builds everything and runs the whole suite through the presets (CMakePresets.json): the
# Windows program (MinGW-w64), the Linux build with its tests (the Wine ones on that program),
# the same tests again under AddressSanitizer and UndefinedBehaviorSanitizer, and the web page,
# played in headless Chromium.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh test

echo "== Windows program"
cmake --workflow --preset windows

echo "== Linux build and tests"
cmake --workflow --preset linux-with-windows

echo "== Tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --workflow --preset sanitize

echo "== Web page in headless Chromium"
scripts/web.sh --test
