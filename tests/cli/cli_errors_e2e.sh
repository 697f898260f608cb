#!/usr/bin/env bash
# End-to-end: a failure that is none of the program's own errors (here running out
# of memory) still ends in a message and status 2, never in an abort; an unreachable
# display does not stop printing.
# Usage: cli_errors_e2e.sh CLI DATA_DIR
source "$(dirname "$0")/../support/e2e.sh"
cli="$1"
# The print commands never need the display, even one that is named but gone.
data="$2"
"$cli" --home "$work" convert "$data/sample.kdx" "$work/films.kdx" > /dev/null
(unset QT_QPA_PLATFORM WAYLAND_DISPLAY && export DISPLAY=:77 \
    && "$cli" --home "$work" print-list "$work/films.kdx" --pdf "$work/films.pdf" > /dev/null 2>&1) \
    || fail "print-list with an unreachable display exited $?"
[ -s "$work/films.pdf" ] || fail "print-list wrote no PDF with an unreachable display"

# The address sanitizer reserves more address space than the limit below allows.
if grep -q __asan_init "$cli"; then
    echo "cli errors e2e: skipped under the address sanitizer"
    exit 0
fi

# A 2.1 catalogue of 3 GB (sparse), read whole under a 1.5 GB limit of address space.
truncate -s 3G "$work/huge.kdx"
printf 'kdx v2.1' | dd of="$work/huge.kdx" conv=notrunc status=none
(ulimit -v 1500000 && expect_status 2 "not enough memory" "$cli" --home "$work" dump "$work/huge.kdx")

echo "cli errors e2e: passed"
