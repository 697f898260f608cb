#!/bin/sh
# Runs one test with a home and XDG folders of its own, removed afterwards, so that
# nothing a test does (settings, remembered folders, recovery files, file
# associations) can reach the real ones of whoever runs the suite.
set -eu
dir=$(mktemp -d "${TMPDIR:-/tmp}/reelkeep-test.XXXXXX")
trap 'rm -rf "$dir"' EXIT
export HOME="$dir/home" XDG_CONFIG_HOME="$dir/config" XDG_DATA_HOME="$dir/data" \
       XDG_STATE_HOME="$dir/state" XDG_CACHE_HOME="$dir/cache" XDG_RUNTIME_DIR="$dir/runtime"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_STATE_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset REELKEEP_HOME
status=0
"$@" || status=$?
exit "$status"
