#!/bin/sh
# Replays the shipped sample catalogue, in every form reelkeep-cli writes, and the
# shipped cover layouts through one fuzz target: usage CLI TARGET DATA_DIR.
# Runs inside the tests' isolating launcher, so $HOME is this test's own folder.
set -eu
cli=$1 target=$2 data=$3
seeds="$HOME/seeds"
mkdir -p "$seeds"
for version in 1.3 2.0 2.1; do
    "$cli" convert "$data/sample.kdx" "$seeds/sample-$version.kdx" --kdx-version "$version" --allow-loss > /dev/null
done
for form in xkdx xls txt; do
    "$cli" convert "$data/sample.kdx" "$seeds/sample.$form" --allow-loss > /dev/null
done
"$target" "$seeds"/* "$data/sample.kdx" "$data"/*.cvr
