#!/usr/bin/env bash
# End-to-end: one writer per catalogue and kept versions, between the program and
# reelkeep-cli. While the program has a catalogue open, a writing command is refused
# with status 2 and told who holds it (--ignore-lock goes on); once the program is
# killed its lock is taken over. Ten saves keep ten versions, an eleventh drops the
# oldest, and a restored version is the bytes that were replaced.
# Usage: lock_versions_e2e.sh REELKEEP-CLI REELKEEP SAMPLE-CATALOGUE
source "$(dirname "$0")/../support/e2e.sh"
cli="$1"
gui="$2"
sample="$3"
export REELKEEP_HOME="$work/home"
mkdir -p "$REELKEEP_HOME"
catalogue="$work/films.kdx"
lock="$work/.films.kdx.lock"
cp "$sample" "$catalogue"
chmod u+w "$catalogue"

QT_QPA_PLATFORM=offscreen "$gui" "$catalogue" > "$work/gui.out" 2>&1 &
holder=$!
for _ in $(seq 1 200); do
    [ -f "$lock" ] && break
    sleep 0.05
done
[ -f "$lock" ] || { kill -KILL "$holder"; cat "$work/gui.out" >&2; fail "the program took no lock on the catalogue"; }
cp "$catalogue" "$work/before-1.kdx"
before=$(sha256sum < "$catalogue")
status=0
"$cli" sort "$catalogue" --list 1 --column 1 --out "$catalogue" > /dev/null 2> "$work/err" || status=$?
[ "$status" -eq 2 ] || { kill -KILL "$holder"; fail "a write while the program holds the catalogue gave status $status"; }
grep -q "pid $holder" "$work/err" || { kill -KILL "$holder"; fail "the refusal does not name the holder: $(cat "$work/err")"; }
[ "$(sha256sum < "$catalogue")" = "$before" ] || { kill -KILL "$holder"; fail "the refused command changed the catalogue"; }
"$cli" --ignore-lock sort "$catalogue" --list 1 --column 2 --out "$catalogue" > /dev/null \
    || { kill -KILL "$holder"; fail "--ignore-lock did not go on"; }
kill -KILL "$holder"
wait "$holder" 2> /dev/null || true
[ -f "$lock" ] || fail "the killed program's lock is gone already; nothing left to take over"
cp "$catalogue" "$work/before-2.kdx"
"$cli" sort "$catalogue" --list 1 --column 1 --out "$catalogue" > /dev/null 2> "$work/err" \
    || fail "the dead program's lock was not taken over: $(cat "$work/err")"
[ ! -f "$lock" ] || fail "the command left its lock behind"

# Versions: the two sorts above kept two; nine more saves make eleven, and the
# oldest is dropped. Version N is the bytes the N-th last save replaced.
[ "$("$cli" versions "$catalogue" | wc -l)" -eq 2 ] || fail "two saves did not keep two versions"
for n in $(seq 3 11); do
    cp "$catalogue" "$work/before-$n.kdx"
    "$cli" sort "$catalogue" --list 1 --column $((n % 5 + 1)) --out "$catalogue" > /dev/null || fail "save $n failed"
    kept=$("$cli" versions "$catalogue" | wc -l)
    [ "$kept" -eq "$(( n < 10 ? n : 10 ))" ] || fail "after $n saves $kept versions are kept"
done
"$cli" versions "$catalogue" > "$work/versions"
[ "$(cut -f1 "$work/versions" | tr '\n' ' ')" = "1 2 3 4 5 6 7 8 9 10 " ] || fail "versions are numbered $(cut -f1 "$work/versions")"
for n in $(seq 1 10); do
    "$cli" restore "$catalogue" "$n" "$work/restored.kdx" > /dev/null || fail "restore of version $n failed"
    cmp -s "$work/restored.kdx" "$work/before-$((12 - n)).kdx" || fail "version $n is not the bytes save $((12 - n)) replaced"
done
[ "$(cut -f4 "$work/versions" | sort -u)" = "$("$cli" versions "$catalogue" | head -1 | cut -f4)" ] \
    || fail "record counts differ between versions of the same records: $(cut -f4 "$work/versions")"
expect_status 1 "version number" "$cli" restore "$catalogue" 11 "$work/none.kdx"
echo "lock and versions e2e: passed"
