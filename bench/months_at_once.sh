#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Measures the analysis of three generated logs of three months each, with
# one month at a time and with two at once: wall time, processor time (user +
# system) and peak memory of `analyse --all --jobs N`, median of three runs
# taken in turn. The three logs differ in variety: the busy site's default,
# few hosts, few pages. For choosing how many months run at once on a given
# machine (MonthsAtOnce). Not a test: run it by hand after a build.
#
# usage: bench/months_at_once.sh [LINES]
#   LINES  lines of each log (default 2400000, 800,000 a month)
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
batch="${TRAFIKON_BATCH:-$here/build/trafikon-batch}"
lines="${1:-2400000}"
command -v /usr/bin/time >/dev/null || { echo "months_at_once.sh: /usr/bin/time is missing" >&2; exit 1; }
[ -x "$batch" ] || { echo "months_at_once.sh: build first ($batch)" >&2; exit 1; }
work=$(mktemp -d "${TMPDIR:-/tmp}/trafikon-jobs.XXXXXX")
trap 'rm -rf "$work"' EXIT

names=(busy few-hosts few-pages)
options=("" "--hosts 5000" "--pages 2000")
for i in 0 1 2; do
  # shellcheck disable=SC2086
  log=$(TRAFIKON_BATCH="$batch" bash "$here/scripts/bench-data.sh" "$lines" combined 3 $((31 + i)) ${options[$i]})
  "$batch" import --root "$work/${names[$i]}" --format "h l u t r s b R U" -- "$log" >/dev/null
done

# run NAME JOBS: appends "wall cpu peak_kB" of one analysis of all months.
run() {
  if ! /usr/bin/time -f "%e %U %S %M" -o "$work/time" "$batch" analyse --root "$work/$1" --all \
      --jobs "$2" >/dev/null 2>"$work/err"; then
    echo "months_at_once.sh: $1 --jobs $2 failed:" >&2; tail -n5 "$work/err" >&2; exit 1
  fi
  awk '{printf "%s %.2f %s\n", $1, $2 + $3, $4}' "$work/time" >>"$work/$1-$2"
}
for round in 1 2 3; do
  for name in "${names[@]}"; do
    run "$name" 1
    run "$name" 2
  done
done
median() { cut -d' ' -f"$2" "$work/$1" | sort -g | sed -n 2p; }
echo "$lines lines a log, three months each; median of 3 runs; $(nproc) cores," \
  "load $(cut -d' ' -f1 /proc/loadavg)"
printf '%-10s %6s %9s %9s %11s\n' "log" "jobs" "wall s" "cpu s" "peak MB"
for name in "${names[@]}"; do
  for jobs in 1 2; do
    printf '%-10s %6s %9s %9s %11s\n' "$name" "$jobs" "$(median "$name-$jobs" 1)" \
      "$(median "$name-$jobs" 2)" "$(median "$name-$jobs" 3 | awk '{printf "%.1f", $1 / 1024}')"
  done
done
