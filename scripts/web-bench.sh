#!/usr/bin/env bash
# Builds the web page and runs its benchmark in headless Chromium (bench/web/bench.mjs): the
# board's time on a slow network, the game's pauses, Lighthouse and axe-core. Lighthouse and
# axe-core come from the npm registry at the versions locked in bench/web/package-lock.json,
# installed into build-web/bench (again only when the lock changes).
#   scripts/web-bench.sh [--runs N]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/web.sh
bench=build-web/bench
mkdir -p $bench
cp bench/web/bench.mjs scripts/serve.py $bench/
if ! cmp -s bench/web/package-lock.json $bench/package-lock.json ||
    [ ! -d $bench/node_modules/lighthouse ]; then
    cp bench/web/package.json bench/web/package-lock.json $bench/
    (cd $bench && npm ci --no-audit --no-fund)
fi
node $bench/bench.mjs build-web/site "$@"
