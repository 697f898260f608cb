#!/bin/sh
# Rebuilds the shipped cover layouts in data/ from the JSON files beside this script:
#   data/covers-src/make-covers.sh path/to/reelkeep-cli
set -e
cli=${1:?usage: make-covers.sh REELKEEP-CLI}
here=$(cd "$(dirname "$0")" && pwd)
for json in "$here"/*.json; do
    name=$(basename "$json" .json)
    "$cli" cover-save "$json" "$here/../$name.cvr"
done
