#!/usr/bin/env bash
# End-to-end: `cmake --install` into a temporary prefix, then the installed tool is
# run by a new user; then the same files laid out as a portable folder.
# Usage: install_e2e.sh BUILD_DIR SOURCE_DIR
source "$(dirname "$0")/../support/e2e.sh"
build="$1"
source_dir="$2"
prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" > "$work/install.log" || { cat "$work/install.log" >&2; fail "cmake --install failed"; }
echo "Installed tree:"
(cd "$prefix" && find . | sort) | tee "$work/tree.before"

cli="$prefix/bin/reelkeep-cli"
[ -x "$cli" ] && [ -x "$prefix/bin/reelkeep" ] || fail "the programs are not in bin/"
[ -f "$prefix/share/reelkeep/English.lng" ] || fail "English.lng is not in share/reelkeep"
plugins="$(dirname "$(find "$prefix" -name CsvExport.kdp)")"
case "$plugins" in "$prefix"/lib*/reelkeep/Plugins) ;; *) fail "the plug-ins are not in the library folder: $plugins" ;; esac

# Marks that only the installed copies carry, so the tool is seen to take them
# from the prefix and not from the source or build tree it was built from.
sed -i 's/^Exit=E&xit$/Exit=Quit (installed)/' "$prefix/share/reelkeep/English.lng"
printf 'installed copy' >> "$plugins/CsvExport.kdp"

# A new user, root or not: settings go to ~/.config/reelkeep, never beside the program.
export HOME="$work/user"
unset XDG_CONFIG_HOME REELKEEP_HOME
mkdir -p "$HOME"
touch "$work/stamp"
home="$HOME/.config/reelkeep"
tab=$'\t'
"$cli" plugins > "$work/list" || fail "plugins exited $?"
expected="$home/Plugins/CsvExport.kdp${tab}CSV table${tab}CSV table (*.csv)|*.csv${tab}1
$home/Plugins/HtmlExport.kdp${tab}HTML table${tab}HTML page (*.html)|*.html${tab}1"
[ "$(cat "$work/list")" = "$expected" ] || { cat "$work/list" >&2; fail "the installed plug-ins are not listed"; }
cmp -s "$plugins/CsvExport.kdp" "$home/Plugins/CsvExport.kdp" || fail "the plug-in was not taken from the prefix"
"$cli" settings > /dev/null || fail "settings exited $?"
sed -i 's/^DefLanguageFile=.*/DefLanguageFile=English.lng/' "$home/setup.ini"
[ "$("$cli" lang MainMenu Exit)" = "Quit (installed)" ] || fail "English.lng was not taken from the prefix"
[ -z "$(find "$prefix" -newer "$work/stamp")" ] || fail "the tool wrote beside itself: $(find "$prefix" -newer "$work/stamp")"
(cd "$prefix" && find . | sort) > "$work/tree.after"
cmp -s "$work/tree.before" "$work/tree.after" || fail "the installed tree changed"

# A portable folder keeps everything in itself and leaves the user's folder alone.
portable="$work/Reelkeep"
"$source_dir/tools/make-portable" "$build" "$portable" > /dev/null
export HOME="$work/user2"
mkdir -p "$HOME"
"$portable/reelkeep-cli" plugins | cut -f1 > "$work/portable.list"
[ "$(cat "$work/portable.list")" = "$portable/Plugins/CsvExport.kdp
$portable/Plugins/HtmlExport.kdp" ] || { cat "$work/portable.list" >&2; fail "the portable plug-ins are not listed"; }
"$portable/reelkeep-cli" settings > /dev/null || fail "portable settings exited $?"
grep -q '^DefLanguageFile=' "$portable/setup.ini" || fail "the portable setup.ini was not completed"
[ -z "$(ls -A "$HOME")" ] || fail "the portable program wrote into the user's home"

echo "install e2e: passed"
