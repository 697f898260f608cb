#!/usr/bin/env bash
# End-to-end: what tells a person how to use the programs keeps up with them. Both
# programs print the project's version without a display; every command and option
# of `reelkeep-cli --help` is in the manual page and in the bash completion; the
# manual pages render without warnings; an install into a prefix with a space in its
# name gets a desktop entry that starts the installed program and validates.
# Usage: manual_e2e.sh REELKEEP-CLI REELKEEP SOURCE_DIR BUILD_DIR VERSION
source "$(dirname "$0")/../support/e2e.sh"
cli="$1"
gui="$2"
source_dir="$3"
build="$4"
version="$5"
manual="$source_dir/data/man/reelkeep-cli.1"
completion="$source_dir/data/completion/reelkeep-cli"

[ "$("$cli" --version)" = "reelkeep-cli $version" ] || fail "reelkeep-cli --version says \"$("$cli" --version 2>&1)\""
[ "$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$gui" --version)" = "reelkeep $version" ] \
    || fail "reelkeep --version without a display says \"$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$gui" --version 2>&1)\""
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$gui" --help > "$work/gui-help" || fail "reelkeep --help exited $?"
grep -q -- '--version' "$work/gui-help" || fail "reelkeep --help does not list --version"

"$cli" --help > "$work/help"
grep -q -- '^--version' "$work/help" || fail "reelkeep-cli --help does not list --version"
commands=$(sed -n 's/^  \([a-z][a-z-]*\).*/\1/p' "$work/help")
[ "$(echo "$commands" | wc -l)" -ge 19 ] || fail "reelkeep-cli --help lists too few commands: $commands"
completion_commands=" $(sed -n 's/^ *local commands="\(.*\)"$/\1/p' "$completion") "
for command in $commands; do
    options=$(grep -E "^  $command( |\$)" "$work/help" | grep -oE -- '--[a-z-]+' | sort -u || true)
    # The command's paragraph of the manual page: from its tag line to the next tag.
    awk -v name="$command" '
        /^\.TP/ { inside = 0 }
        $0 ~ "^\\.BI? " name "( |$)" { inside = 1 }
        inside' "$manual" > "$work/paragraph"
    [ -s "$work/paragraph" ] || fail "the manual page has no paragraph for $command"
    [[ $completion_commands == *" $command "* ]] || fail "the completion does not offer $command"
    for option in $options; do
        grep -qF -- "$(echo "$option" | sed 's/-/\\-/g')" "$work/paragraph" || fail "the manual page does not give $command $option"
        grep -E "^ +([a-z|-]+\|)?$command(\|[a-z|-]+)?\)" "$completion" | grep -qE -- "[\" ]$option[\" ]" \
            || fail "the completion does not offer $option after $command"
    done
done
for status in 0 1 2 3; do
    grep -qE "^Exit status:.* $status " "$work/help" || fail "reelkeep-cli --help does not explain status $status"
    sed -n '/^\.SH EXIT STATUS/,/^\.SH [^E]/p' "$manual" | grep -qx "\.B $status" || fail "the manual page does not explain status $status"
done
for page in reelkeep reelkeep-cli; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$source_dir/data/man/$page.1" 2>&1 > /dev/null)
    [ -z "$warnings" ] || fail "$page(1) renders with warnings: $warnings"
done

# The installed desktop entry names the program by its installed path, quoted as the
# desktop entry format wants it, whatever prefix the install is given.
prefix="$work/my \$prefix"
cmake --install "$build" --prefix "$prefix" > "$work/install.log" || { cat "$work/install.log" >&2; fail "cmake --install failed"; }
entry="$prefix/share/applications/reelkeep.desktop"
grep -qxF "Exec=\"$work/my \\\\\$prefix/bin/reelkeep\" %f" "$entry" || fail "the installed entry has $(grep '^Exec=' "$entry")"
desktop-file-validate "$entry" || fail "desktop-file-validate rejects the installed entry"
grep -v '^Exec=' "$entry" > "$work/installed-rest"
grep -v '^Exec=' "$source_dir/data/desktop/reelkeep.desktop" > "$work/shipped-rest"
cmp -s "$work/installed-rest" "$work/shipped-rest" || fail "the installed entry differs from the shipped one beyond Exec"
for page in reelkeep reelkeep-cli; do
    zcat "$prefix/share/man/man1/$page.1.gz" | cmp -s - "$source_dir/data/man/$page.1" || fail "$page.1.gz is not the manual page"
done
metainfo="$prefix/share/metainfo/io.github.reelkeep.Reelkeep.metainfo.xml"
grep -q "<release version=\"$version\"" "$metainfo" || fail "the AppStream release is not version $version"
appstreamcli validate --no-net "$metainfo" > "$work/appstream" || { cat "$work/appstream" >&2; fail "appstreamcli rejects the metainfo"; }
echo "manual e2e: passed"
