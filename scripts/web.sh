#!/usr/bin/env bash
# Builds the web page into build-web/site/ (index.html, quillmere.js, quillmere.wasm, the
# manifest, icons and service worker, each with a brotli and a gzip copy).
#   scripts/web.sh           build only
#   scripts/web.sh --serve   build, then serve the site on http://127.0.0.1:8080/ as a static
#                            host should (scripts/serve.py)
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
plain=$(ls $site | grep -v -e '\.br$' -e '\.gz$')
bytes() { (cd $site && cat "$@" | wc -c); }
echo "The page is in $site: $(bytes $plain) bytes, $(bytes $(printf '%s.gz ' $plain)) gzip," \
    "$(bytes $(printf '%s.br ' $plain)) brotli"

case "$mode" in
--serve)
    exec python3 scripts/serve.py "$site" 8080
    ;;
--test)
    # The browser test is the web build's CTest suite (tests/web).
    ctest --preset web
    ;;
esac
