# Sourced by the end-to-end scripts: strict mode, a scratch folder removed on exit, checks.
set -euo pipefail
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# expect_status STATUS MESSAGE COMMAND...: the command exits with STATUS and says MESSAGE on stderr.
expect_status() {
    local want="$1" message="$2" status=0
    shift 2
    "$@" > /dev/null 2> "$work/err" || status=$?
    [ "$status" -eq "$want" ] || fail "$* gave status $status, not $want"
    grep -q "$message" "$work/err" || fail "$* did not say: $message"
}
