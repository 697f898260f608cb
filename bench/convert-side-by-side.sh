#!/usr/bin/env bash
# Times `reelkeep-cli convert big.xkdx out.kdx` against `xmllint --stream --noout big.xkdx`
# on the same typical 100,000-record catalogue, alternating the two, and prints the
# median wall and user+sys seconds of each with the load average. Run by hand on a
# release build:
#   tools/build build-rel -DCMAKE_BUILD_TYPE=Release -DREELKEEP_BUILD_TESTS=OFF
#   bench/convert-side-by-side.sh build-rel [RUNS]
# Needs xmllint (Debian package libxml2-utils).
set -euo pipefail
build="$(cd "${1:?usage: $0 BUILD_DIR [RUNS]}" && pwd)"
runs="${2:-5}"
command -v xmllint >/dev/null || { echo "xmllint is missing (apt-get install libxml2-utils)" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export REELKEEP_HOME="$work/home"
cd "$work"
"$build/bench/XmlBenchmark" --write big.xkdx

for ((i = 0; i < runs; ++i)); do
    /usr/bin/time -a -o convert.times -f "%e %U %S" "$build/src/cli/reelkeep-cli" convert big.xkdx out.kdx
    /usr/bin/time -a -o xmllint.times -f "%e %U %S" xmllint --stream --noout big.xkdx
done

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
echo "$(du -m big.xkdx | cut -f1) MB of XML, $runs runs each, median seconds:"
for tool in convert xmllint; do
    printf '%-8s wall %s  user+sys %s\n' "$tool" \
        "$(awk '{ print $1 }' "$tool.times" | median)" "$(awk '{ print $2 + $3 }' "$tool.times" | median)"
done
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
