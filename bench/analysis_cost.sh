#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Compares the analysis of two builds of trafikon-batch on the same generated
# log: the processor time (user + system) and peak memory of `analyse --all`,
# median of three runs each, taken in turn, and the growth of the second over
# the first. For checking what a change costs: build the older version in a
# folder of its own and pass its trafikon-batch first. Not a test: run it by
# hand.
#
# usage: bench/analysis_cost.sh BEFORE_BATCH [AFTER_BATCH [LINES]]
#   AFTER_BATCH  default build/trafikon-batch
#   LINES        lines of the generated log (default 2000000, one month, with
#                the variety of a busy site)
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
before="${1:?usage: bench/analysis_cost.sh BEFORE_BATCH [AFTER_BATCH [LINES]]}"
after="${2:-$here/build/trafikon-batch}"
lines="${3:-2000000}"
command -v /usr/bin/time >/dev/null || { echo "analysis_cost.sh: /usr/bin/time is missing" >&2; exit 1; }
log=$(TRAFIKON_BATCH="$after" bash "$here/scripts/bench-data.sh" "$lines" combined 1 1)
work=$(mktemp -d "${TMPDIR:-/tmp}/trafikon-cost.XXXXXX")
trap 'rm -rf "$work"' EXIT
"$after" import --root "$work/root" --format "h l u t r s b R U" -- "$log" >/dev/null

# run NAME BATCH: appends "cpu peak_kB" of one analysis to $work/NAME.
run() {
  if ! /usr/bin/time -f "%U %S %M" -o "$work/time" "$2" analyse --root "$work/root" --all \
      >/dev/null 2>"$work/err"; then
    echo "analysis_cost.sh: $1 failed:" >&2; tail -n5 "$work/err" >&2; exit 1
  fi
  awk '{printf "%.2f %s\n", $1 + $2, $3}' "$work/time" >>"$work/$1"
}
for round in 1 2 3; do
  run before "$before"
  run after "$after"
done
median() { cut -d' ' -f"$2" "$work/$1" | sort -g | sed -n 2p; }
echo "log: $log ($(wc -l <"$log") lines); median of 3 runs each"
printf '%-8s %9s %11s\n' "" "cpu s" "peak MB"
for name in before after; do
  printf '%-8s %9s %11s\n' "$name" "$(median "$name" 1)" \
    "$(median "$name" 2 | awk '{printf "%.1f", $1 / 1024}')"
done
echo "$(median before 1) $(median after 1) $(median before 2) $(median after 2)" |
  awk '{printf "growth: cpu %+.1f %%, peak memory %+.1f %%\n", ($2 / $1 - 1) * 100, ($4 / $3 - 1) * 100}'
