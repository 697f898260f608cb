#!/usr/bin/env bash
# End-to-end: reelkeep-cli settings and lang on a fresh program folder, then in English.
# Usage: settings_cli_e2e.sh CLI SHIPPED_DATA_DIR
source "$(dirname "$0")/../support/e2e.sh"
cli="$1"
data="$2"

# First start: setup.ini and Russian.lng are created; every field is printed.
home="$work/home"
"$cli" --home "$home" settings > "$work/settings.json" || fail "settings exited $?"
[ -f "$home/setup.ini" ] || fail "setup.ini was not created"
[ -f "$home/Russian.lng" ] || fail "Russian.lng was not created"
for field in ColName ColType ColPattern ColLogicalVal ColNamesWithDot ColSecondNames ColWidth ColPos ColShortCut \
    ContrlWidth ContrlX ContrlY ListComments ListFileNames ListCount SrchName SrchURL SearchCount LanguageTable \
    DefLanguageFile StatusStat CoverFile UseMDIPanel ShortCutSave ShortCutSaveAs ShortCutNew ShortCutOpen \
    OrigNameSepBegin OrigNameSepEnd PartSepBegin PartSepEnd SplitterPos KCutLine KSLine LastAviDir LastListDir; do
    grep -q "\"$field\":" "$work/settings.json" || fail "field $field missing from the JSON"
done
grep -q '"SplitterPos": 200' "$work/settings.json" || fail "SplitterPos is not 200"
grep -q '"DefLanguageFile": "Russian.lng"' "$work/settings.json" || fail "DefLanguageFile is not Russian.lng"

# Texts: the built-in language, a lookup that ignores case fails, a switch to English.
[ "$("$cli" --home "$home" lang MainMenu Exit)" = "Выход" ] || fail "lang MainMenu Exit is not the built-in text"
expect_status 2 "Constant in translating module not found" "$cli" --home "$home" lang mainmenu Exit
cp "$data/English.lng" "$home/English.lng"
sed -i 's/^DefLanguageFile=.*/DefLanguageFile=English.lng/' "$home/setup.ini"
[ "$("$cli" --home "$home" lang MainMenu Exit)" = "Exit" ] || fail "the English file was not used"

# A bad value and a folder that cannot be written each cost one warning, not the command.
sed -i 's/^KCutLineColor=.*/KCutLineColor=notacolour/' "$home/setup.ini"
[ "$("$cli" --home "$home" lang MainMenu Exit 2> "$work/warnings")" = "Exit" ] || fail "a bad colour stopped lang"
[ "$(grep -c . "$work/warnings")" = 1 ] && grep -q "setup.ini, section \[Print\], key KCutLineColor" "$work/warnings" \
    || { cat "$work/warnings" >&2; fail "the bad colour was not warned about once"; }
echo "not a folder" > "$work/file"
[ "$("$cli" --home "$work/file/home" lang MainMenu Exit 2> "$work/warnings")" = "Выход" ] || fail "an unwritable folder stopped lang"
[ "$(grep -c . "$work/warnings")" = 1 ] || { cat "$work/warnings" >&2; fail "an unwritable folder gave other than one warning"; }

# $REELKEEP_HOME names the folder when --home does not; either is created and seeded when new.
REELKEEP_HOME="$work/env-home" "$cli" settings > /dev/null
[ -f "$work/env-home/setup.ini" ] || fail "REELKEEP_HOME was not used"
[ -f "$work/env-home/English.lng" ] || fail "a new REELKEEP_HOME was not seeded"
[ -f "$home/DefCover.cvr" ] || fail "a new --home folder was not seeded"

# Commands that need no settings touch no program folder, named or not.
fresh="$work/fresh"
mkdir -p "$fresh/home" "$fresh/config"
quiet() { HOME="$fresh/home" XDG_CONFIG_HOME="$fresh/config" REELKEEP_HOME="$fresh/env-home" "$cli" "$@" > /dev/null 2>&1 || true; }
quiet --help
quiet
quiet no-such-command
quiet --home "$fresh/named" --help
quiet mask "*" film
quiet cover "$work/missing.cvr"
[ "$(find "$fresh" -mindepth 1 | sort)" = "$fresh/config"$'\n'"$fresh/home" ] \
    || { find "$fresh" >&2; fail "a command that needs no settings touched a program folder"; }

echo "settings e2e: passed"
