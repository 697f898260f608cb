#!/usr/bin/env bash
# End-to-end: the shipped sample catalogue is what its committed source converts to, and it loads.
# Usage: sample_catalogue_e2e.sh CLI DATA_DIR
source "$(dirname "$0")/../support/e2e.sh"
cli="$1"
data="$2"

"$cli" convert "$data/sample-src/sample.xkdx" "$work/sample.kdx" || fail "convert exited $?"
cmp -s "$work/sample.kdx" "$data/sample.kdx" || fail "data/sample.kdx is stale: run data/sample-src/make-sample.sh"
"$cli" dump "$data/sample.kdx" > "$work/sample.json" || fail "dump exited $?"
grep -q '"name": "Сериалы"' "$work/sample.json" || fail "the second sheet is missing"
grep -q '"children": \[$' "$work/sample.json" || fail "no nested records"

echo "sample catalogue e2e: passed"
