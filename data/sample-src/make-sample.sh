#!/bin/sh
# Rebuilds the shipped sample catalogue data/sample.kdx from sample.xkdx beside this script:
#   data/sample-src/make-sample.sh path/to/reelkeep-cli
set -e
cli=${1:?usage: make-sample.sh REELKEEP-CLI}
here=$(cd "$(dirname "$0")" && pwd)
"$cli" convert "$here/sample.xkdx" "$here/../sample.kdx"
