#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs Trafikon, Webalizer and GoAccess on the same generated combined log, in
# turn, three rounds, and prints for each the median wall time, processor time
# (user + system) and peak memory (maximum resident set), then Trafikon's
# ratios against the others. Trafikon is timed twice: its analysis alone (the
# log already imported, what the analysis window waits for) and its import
# plus analysis (the log read from scratch, as the others read it). Not a
# test: run it by hand after a build; the others come from Debian
# (apt-get install webalizer goaccess, see scripts/install-deps.sh).
#
# usage: bench/peers.sh [LINES [LOG]]
#   LINES  lines of the generated log (default 2000000, one month); the log
#          has the variety of a busy site unless TRAFIKON_PEERS_UNIFORM=1
#   LOG    a combined log of your own instead of the generated one
# Everything is made in a new folder of $TMPDIR (or /tmp), deleted at the end.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
batch="${TRAFIKON_BATCH:-$here/build/trafikon-batch}"
lines="${1:-2000000}"
for tool in webalizer goaccess /usr/bin/time; do
  command -v "$tool" >/dev/null || { echo "peers.sh: $tool is missing (scripts/install-deps.sh)" >&2; exit 1; }
done
[ -x "$batch" ] || { echo "peers.sh: build first ($batch)" >&2; exit 1; }
if [ $# -ge 2 ]; then
  log="$2"
else
  extra=()
  [ "${TRAFIKON_PEERS_UNIFORM:-0}" = 1 ] && extra=(--uniform)
  log=$(TRAFIKON_BATCH="$batch" bash "$here/scripts/bench-data.sh" "$lines" combined 1 1 ${extra[@]+"${extra[@]}"})
fi
work=$(mktemp -d "${TMPDIR:-/tmp}/trafikon-peers.XXXXXX")
trap 'rm -rf "$work"' EXIT
times="$work/times"
mkdir -p "$times"
cat "$log" >/dev/null  # in the page cache for everyone alike

# run NAME COMMAND...: appends "wall cpu peak_kB" of one run to $times/NAME.
run() {
  local name=$1; shift
  if ! /usr/bin/time -f "%e %U %S %M" -o "$work/time" "$@" >"$work/out" 2>"$work/err"; then
    echo "peers.sh: $name failed:" >&2; tail -n5 "$work/err" >&2; exit 1
  fi
  awk '{printf "%s %.2f %s\n", $1, $2 + $3, $4}' "$work/time" >>"$times/$name"
}

for round in 1 2 3; do
  rm -rf "$work/root" "$work/webalizer" "$work/goaccess"
  mkdir -p "$work/root" "$work/webalizer" "$work/goaccess"
  run import "$batch" import --root "$work/root" --format "h l u t r s b R U" -- "$log"
  run analysis "$batch" analyse --root "$work/root" --all
  run webalizer webalizer -c /dev/null -Q -N 0 -F clf -o "$work/webalizer" "$log"
  run goaccess goaccess "$log" --log-format=COMBINED --no-global-config \
    -o "$work/goaccess/report.html"
  echo "round $round done" >&2
done
# Trafikon from scratch: each round's import plus the same round's analysis.
paste -d' ' "$times/import" "$times/analysis" |
  awk '{printf "%.2f %.2f %d\n", $1 + $4, $2 + $5, ($3 > $6 ? $3 : $6)}' >"$times/trafikon"

median() { sort -g | sed -n 2p; }
figure() { cut -d' ' -f"$2" "$times/$1" | median; }
echo "log: $log ($(wc -l <"$log") lines, $(du -m "$log" | cut -f1) MB); median of 3 runs"
printf '%-28s %9s %9s %11s\n' "" "wall s" "cpu s" "peak MB"
for name in analysis trafikon webalizer goaccess; do
  label=$name
  [ "$name" = analysis ] && label="Trafikon analysis"
  [ "$name" = trafikon ] && label="Trafikon import + analysis"
  printf '%-28s %9s %9s %11s\n' "$label" "$(figure "$name" 1)" "$(figure "$name" 2)" \
    "$(figure "$name" 3 | awk '{printf "%.1f", $1 / 1024}')"
done
ratio() { echo "$1 $2" | awk '{ if ($2 > 0) printf "%.1fx", $1 / $2; else print "-" }'; }
echo
printf '%-44s %9s %9s %9s\n' "how many times faster / less" "wall" "cpu" "memory"
for peer in webalizer goaccess; do
  for name in analysis trafikon; do
    label="$peer / Trafikon analysis"
    [ "$name" = trafikon ] && label="$peer / Trafikon import + analysis"
    printf '%-44s %9s %9s %9s\n' "$label" \
      "$(ratio "$(figure "$peer" 1)" "$(figure "$name" 1)")" \
      "$(ratio "$(figure "$peer" 2)" "$(figure "$name" 2)")" \
      "$(ratio "$(figure "$peer" 3)" "$(figure "$name" 3)")"
  done
done
