#!/usr/bin/env bash
# Builds the web page into build-web/site/ (index.html, quillmere.js, quillmere.wasm).
#   scripts/web.sh           build only
#   scripts/web.sh --serve   build, then serve the site on http://127.0.0.1:8080/
#   scripts/web.sh --test    build, then play it in headless Chromium (tests/web)
set -euo pipefail
cd "$(dirname "$0")/.."

mode=${1:-}
case "$mode" in
"" | --serve | --test) ;;
*)
    echo "usage: $0 [--serve|--test]" >&2
    exit 2
    ;;
esac

scripts/deps.sh web
cmake --preset web
cmake --build --preset web
site=build-web/site
echo "The page is in $site: $(cat $site/* | wc -c) bytes"

case "$mode" in
--serve)
    echo "Serving $site on http://127.0.0.1:8080/ (Ctrl+C stops)"
    exec python3 -m http.server 8080 --bind 127.0.0.1 --directory "$site"
    ;;
--test)
    # The browser test is the web build's CTest suite (tests/web).
    ctest --preset web
    ;;
esac
