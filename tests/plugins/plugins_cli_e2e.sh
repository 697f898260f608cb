#!/usr/bin/env bash
# End-to-end: reelkeep-cli plugins and export with the shipped plug-ins.
# Usage: plugins_cli_e2e.sh CLI SHIPPED_PLUGINS_DIR
source "$(dirname "$0")/../support/e2e.sh"
cli="$1"
shipped="$2"

# The shipped plug-ins and a file that is no library (the scan rules are unit-tested).
home="$work/home"
mkdir -p "$home/Plugins"
cp "$shipped/HtmlExport.kdp" "$shipped/CsvExport.kdp" "$home/Plugins/"
echo "not a library" > "$home/Plugins/broken.kdp"
"$cli" --home "$home" plugins > "$work/list" 2> "$work/skipped"
tab=$'\t'
expected="$home/Plugins/CsvExport.kdp${tab}CSV table${tab}CSV table (*.csv)|*.csv${tab}1
$home/Plugins/HtmlExport.kdp${tab}HTML table${tab}HTML page (*.html)|*.html${tab}1"
[ "$(cat "$work/list")" = "$expected" ] || { cat "$work/list" >&2; fail "unexpected plug-in list"; }
grep -q "^Skipped $home/Plugins/broken.kdp: it is not a library" "$work/skipped" || { cat "$work/skipped" >&2; fail "the skipped file is not named"; }

# Export through each shipped plug-in: a catalogue in the text form 1.3 (windows-1251)
# of two lists, with Cyrillic names and cells holding a comma, quotes, an apostrophe,
# < and &, and line breaks of every kind a cell keeps: "<br>" (CR LF), a lone LF and a
# lone CR. No cell may end early and push the later ones a column on.
{
    printf 'kdx v1.3\r\n2\r\n\xD4\xE8\xEB\xFC\xEC\xFB\r\n2\r\n'
    for c in $(seq 0 20); do printf 'Col%s\r\n' "$c"; done
    printf '1\r\n\xC1\xF0\xE0\xF2 <2> & co\r\n'
    printf 'a, "b"<br>next\r\n'
    for c in $(seq 3 19); do printf '\r\n'; done
    printf '00FFFFFF\r\n'
    printf '2\r\nlf\nhere\r\ncr\rhere\r\ncrlf<br>here\r\n'
    for c in $(seq 4 18); do printf '\r\n'; done
    printf 'last\r\n000000FF\r\n'
    printf '\xD1\xE5\xF0\xE8\xE0\xEB\xFB <2>\r\n1\r\n'
    for c in $(seq 0 20); do printf 'Col%s\r\n' "$c"; done
    printf '\r\nIt'"'"'s\r\n"quoted", comma\r\n'
    for c in $(seq 3 20); do printf '\r\n'; done
} > "$work/films.kdx"
"$cli" --home "$home" export "$work/films.kdx" "$work/films.csv" --plugin 1 || fail "CSV export exited $?"
printf '\xEF\xBB\xBFList,Col0,Col1,Col2' > "$work/csv.head"
cmp -s -n "$(stat -c %s "$work/csv.head")" "$work/csv.head" "$work/films.csv" || fail "the CSV header is wrong"
grep -q '^Фильмы,1,Брат <2> & co,"a, ""b""' "$work/films.csv" || fail "the CSV record is wrong"
csv="$(cat "$work/films.csv")"
empty15=",,,,,,,,,,,,,,,"
[[ "$csv" == *$'\r\nФильмы,2,"lf\r\nhere","cr\r\nhere","crlf\r\nhere"'"$empty15,last,000000FF"$'\r'* ]] \
    || fail "a cell with a line break ended early in the CSV"
[[ "$csv" == *$'\r\nСериалы <2>,,It\'s,"""quoted"", comma"'"$(printf ',%.0s' $(seq 3 20))"$'\r' ]] || fail "the second list's record is wrong in the CSV"
"$cli" --home "$home" export "$work/films.kdx" "$work/films.html" --plugin 2 || fail "HTML export exited $?"
grep -q '<td>Брат &lt;2&gt; &amp; co</td><td>a, &quot;b&quot;<br/>next</td>' "$work/films.html" || fail "the HTML cells are wrong"
grep -q '<h2>Фильмы</h2>' "$work/films.html" || fail "the HTML list name is wrong"
grep -q '<tr style="background-color:#ff0000"><td>2</td><td>lf<br/>here</td><td>cr<br/>here</td><td>crlf<br/>here</td>\(<td></td>\)\{15\}<td>last</td></tr>' \
    "$work/films.html" || fail "a cell with a line break ended early in the HTML"
[ "$(grep -c '<table>' "$work/films.html")" = 2 ] || fail "the HTML does not hold one table per list"
grep -q '<h2>Сериалы &lt;2&gt;</h2>' "$work/films.html" || fail "the second list's name is wrong in the HTML"
grep -q '<tr><td></td><td>It&#39;s</td><td>&quot;quoted&quot;, comma</td>' "$work/films.html" || fail "the second list's record is wrong in the HTML"

expect_status 2 "There is no export plug-in number 3" "$cli" --home "$home" export "$work/films.kdx" "$work/none.csv" --plugin 3
[ ! -e "$work/none.csv" ] || fail "a missing plug-in wrote a file"

echo "plugins e2e: passed"
