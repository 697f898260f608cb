#!/usr/bin/env bash
# End-to-end: the program killed at random moments while records are pasted, 50 times.
# Each start restores the last recovery file written (never a damaged one: it reads
# whole), and what it holds lacks at most the edits of the last 30 seconds before
# the kill; a recovery file never goes back to fewer records.
# Usage: recovery_kill_e2e.sh RECOVERY-DRIVER REELKEEP-CLI [ROUNDS [SECONDS]]
# (a sanitizer build runs fewer rounds and no time limit: it checks memory, not speed).
source "$(dirname "$0")/../support/e2e.sh"
driver="$1"
cli="$2"
rounds="${3:-50}"
limit="${4:-120}"
export RECOVERY_CATALOGUE="$work/films.kdx" RECOVERY_LOG="$work/edits.log" RECOVERY_HOME="$work/home"
mkdir -p "$RECOVERY_HOME" "$work/no-videos"
"$cli" --home "$RECOVERY_HOME" add "$RECOVERY_CATALOGUE" "$work/no-videos" > /dev/null || fail "no catalogue to start from"
recovery="${XDG_STATE_HOME:?}/reelkeep/recovery"
kept=0
started=$(date +%s)
for round in $(seq 1 "$rounds"); do
    : > "$RECOVERY_LOG.round"
    RECOVERY_LOG="$RECOVERY_LOG.round" "$driver" > "$work/driver.out" 2>&1 &
    pid=$!
    for _ in $(seq 1 200); do
        grep -q '^ready' "$RECOVERY_LOG.round" && break
        sleep 0.05
    done
    sleep "$(awk -v r="$RANDOM" 'BEGIN { printf "%.2f", 0.2 + r / 32767 * 1.0 }')"
    kill -KILL "$pid" 2> /dev/null || { cat "$work/driver.out" >&2; fail "round $round: the program ended before the kill"; }
    wait "$pid" 2> /dev/null || true
    killed=$(date +%s%3N)
    cat "$RECOVERY_LOG.round" >> "$RECOVERY_LOG"
    ready=$(sed -n 's/^ready //p' "$RECOVERY_LOG.round")
    [ -n "$ready" ] || { cat "$work/driver.out" >&2; fail "round $round: the program did not get ready"; }
    [ "$ready" -eq "$kept" ] || fail "round $round started from $ready records, the last recovery file held $kept"
    shopt -s nullglob
    journals=("$recovery"/*.xkdx)
    shopt -u nullglob
    [ "${#journals[@]}" -le 1 ] || fail "round $round left ${#journals[@]} recovery files"
    if [ "${#journals[@]}" -eq 0 ]; then
        [ "$kept" -eq 0 ] || fail "round $round lost the recovery file"
        continue
    fi
    "$cli" --home "$RECOVERY_HOME" dump "${journals[0]}" > "$work/dump.json" || fail "round $round left a damaged recovery file"
    # The records are "edit 0001" ... "edit k", whole, each once.
    jq -r '.lists[0].rows[].cells[1]' "$work/dump.json" | sort > "$work/titles"
    k=$(wc -l < "$work/titles")
    seq -f 'edit %04g' 1 "$k" | cmp -s - "$work/titles" \
        || fail "round $round: the recovery file is not edits 1..$k: $(tr '\n' ',' < "$work/titles")"
    [ "$k" -ge "$kept" ] || fail "round $round: the recovery file went back from $kept to $k records"
    lost_old=$(awk -v limit=$((killed - 30000)) -v k="$k" '$1 ~ /^[0-9]+$/ && $2 <= limit && $1 > k' "$RECOVERY_LOG" | wc -l)
    [ "$lost_old" -eq 0 ] || fail "round $round lost edits older than 30 s"
    kept=$k
done
elapsed=$(( $(date +%s) - started ))
[ "$kept" -gt 0 ] || fail "no edit was ever recovered"
[ "$limit" -eq 0 ] || [ "$elapsed" -lt "$limit" ] || fail "$rounds kills took ${elapsed}s"
echo "recovery kill e2e: $rounds kills in ${elapsed}s, $kept records recovered at the end"
