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
cmake -S . -B build-web -DCMAKE_TOOLCHAIN_FILE=cmake/wasm32.cmake -DCMAKE_BUILD_TYPE=Release
cmake --build build-web -j "$(nproc)"
site=build-web/site
echo "The page is in $site: $(cat $site/* | wc -c) bytes"

case "$mode" in
--serve)
    echo "Serving $site on http://127.0.0.1:8080/ (Ctrl+C stops)"
    exec python3 -m http.server 8080 --bind 127.0.0.1 --directory "$site"
    ;;
--test)
    # The driver (puppeteer-core from the npm registry, at the locked version) lives in the
    # build folder; it is installed again only when the lock changes.
    driver=build-web/driver
    mkdir -p "$driver"
    if ! cmp -s tests/web/package-lock.json "$driver/package-lock.json" ||
        [ ! -d "$driver/node_modules/puppeteer-core" ]; then
        cp tests/web/package.json tests/web/package-lock.json "$driver/"
        (cd "$driver" && npm ci --no-audit --no-fund)
    fi
    cp tests/web/page.test.mjs "$driver/"
    node "$driver/page.test.mjs" "$site" --board docs/board.png
    ;;
esac
