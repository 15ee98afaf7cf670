#!/usr/bin/env bash
# Builds Quillmere and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh play
cmake -S . -B build-play -DCMAKE_BUILD_TYPE=Release -DQUILLMERE_TESTS=OFF -DQUILLMERE_BENCH=OFF
cmake --build build-play -j "$(nproc)" --target quillmere
exec build-play/shell/quillmere "$@"
