#!/usr/bin/env bash
# End-to-end: reelkeep-cli settings and lang on fresh and prepared program folders.
# Usage: settings_cli_e2e.sh CLI SHIPPED_DATA_DIR
set -euo pipefail
cli="$1"
data="$2"
work="$(mktemp -d)"
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# First start: setup.ini and Russian.lng are created; every field is printed.
home="$work/home"
"$cli" --home "$home" settings > "$work/settings.json" || fail "settings exited $?"
[ -f "$home/setup.ini" ] || fail "setup.ini was not created"
[ -f "$home/Russian.lng" ] || fail "Russian.lng was not created"
[ "$(grep -c '=' "$home/setup.ini")" -eq 121 ] || fail "setup.ini does not hold exactly the 121 default keys"
[ "$(grep -c '=' "$home/Russian.lng")" -eq 118 ] || fail "Russian.lng does not hold the 118 texts"
for field in ColName ColType ColPattern ColLogicalVal ColNamesWithDot ColSecondNames ColWidth ColPos ColShortCut \
    ContrlWidth ContrlX ContrlY ListComments ListFileNames ListCount SrchName SrchURL SearchCount LanguageTable \
    DefLanguageFile StatusStat CoverFile UseMDIPanel ShortCutSave ShortCutSaveAs ShortCutNew ShortCutOpen \
    OrigNameSepBegin OrigNameSepEnd PartSepBegin PartSepEnd SplitterPos KCutLine KSLine LastAviDir LastListDir; do
    grep -q "\"$field\":" "$work/settings.json" || fail "field $field missing from the JSON"
done
grep -q '"SplitterPos": 200' "$work/settings.json" || fail "SplitterPos is not 200"
grep -q '"DefLanguageFile": "Russian.lng"' "$work/settings.json" || fail "DefLanguageFile is not Russian.lng"

# A second start changes nothing.
cp "$home/setup.ini" "$work/setup.before"
"$cli" --home "$home" settings > /dev/null
cmp -s "$home/setup.ini" "$work/setup.before" || fail "a second start changed setup.ini"

# Texts: the built-in language, a lookup that ignores case fails, a switch to English.
[ "$("$cli" --home "$home" lang MainMenu Exit)" = "Выход" ] || fail "lang MainMenu Exit is not the built-in text"
set +e
"$cli" --home "$home" lang mainmenu Exit > /dev/null 2> "$work/err"
status=$?
set -e
[ "$status" -eq 2 ] || fail "an unknown pair gave status $status"
grep -q "Constant in translating module not found" "$work/err" || fail "an unknown pair gave no message"
cp "$data/English.lng" "$home/English.lng"
sed -i 's/^DefLanguageFile=.*/DefLanguageFile=English.lng/' "$home/setup.ini"
[ "$("$cli" --home "$home" lang MainMenu Exit)" = "Exit" ] || fail "the English file was not used"

# $REELKEEP_HOME names the folder when --home does not.
REELKEEP_HOME="$work/env-home" "$cli" settings > /dev/null
[ -f "$work/env-home/setup.ini" ] || fail "REELKEEP_HOME was not used"

# A read-only setup.ini is only read.
ro="$work/ro"
mkdir "$ro"
printf '[Options]\nsplitterpos=150\n' > "$ro/setup.ini"
chmod a-w "$ro/setup.ini"
"$cli" --home "$ro" settings > "$work/ro.json"
grep -q '"SplitterPos": 150' "$work/ro.json" || fail "the read-only file was not read"
[ "$(cat "$ro/setup.ini")" = "$(printf '[Options]\nsplitterpos=150')" ] || fail "the read-only file was changed"

echo "settings e2e: passed"
