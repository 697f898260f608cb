#!/usr/bin/env bash
# End-to-end: reelkeep-cli plugins on an empty and a furnished program folder.
# Usage: plugins_cli_e2e.sh CLI SHIPPED_PLUGINS_DIR
set -euo pipefail
cli="$1"
shipped="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# A folder without plug-ins: nothing listed, the Plugins folder created.
[ -z "$("$cli" --home "$work/empty" plugins)" ] || fail "an empty folder listed plug-ins"
[ -d "$work/empty/Plugins" ] || fail "the Plugins folder was not created"

# The shipped plug-ins, a file that is no library and a file of another kind.
home="$work/home"
mkdir -p "$home/Plugins"
cp "$shipped/HtmlExport.kdp" "$shipped/CsvExport.kdp" "$home/Plugins/"
echo "not a library" > "$home/Plugins/broken.kdp"
echo "notes" > "$home/Plugins/notes.txt"
"$cli" --home "$home" plugins > "$work/list"
tab=$'\t'
expected="$home/Plugins/CsvExport.kdp${tab}CSV table${tab}CSV table (*.csv)|*.csv${tab}1
$home/Plugins/HtmlExport.kdp${tab}HTML table${tab}HTML page (*.html)|*.html${tab}1"
[ "$(cat "$work/list")" = "$expected" ] || { cat "$work/list" >&2; fail "unexpected plug-in list"; }

echo "plugins e2e: passed"
