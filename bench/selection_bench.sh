#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Times a selection over a run of months, filtered to one path, against the
# analysis of those same months, and prints the wall time, processor time and
# peak memory of each and their ratio. Not a test: run it by hand after a build.
#
# usage: bench/selection_bench.sh [LINES_PER_MONTH [MONTHS]]
#   defaults: 2000000 lines a month, 12 months (a year of a busy site)
# Everything is made in a new folder of $TMPDIR (or /tmp), deleted at the end.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
batch="${TRAFIKON_BATCH:-$here/build/trafikon-batch}"
per_month="${1:-2000000}"
months="${2:-12}"
command -v /usr/bin/time >/dev/null || { echo "selection_bench.sh: /usr/bin/time is missing" >&2; exit 1; }
[ -x "$batch" ] || { echo "selection_bench.sh: build first ($batch)" >&2; exit 1; }
work=$(mktemp -d "${TMPDIR:-/tmp}/trafikon-select.XXXXXX")
trap 'rm -rf "$work"' EXIT

"$batch" generate --out "$work/all.log" --lines $((per_month * months)) --months "$months" \
  --start 2025-01 --seed 11 >/dev/null
"$batch" import --root "$work/store" --format "h l u t r s b R U" "$work/all.log" >/dev/null
rm "$work/all.log"
# The most requested page of the first lines: a path with traffic in every month.
path=$(head -c 4000000 "$work/store/data/1/log-2025-01.log" | awk '{print $7}' | sort | uniq -c |
  sort -rn | awk 'NR == 1 {print $2}')
last=$(ls "$work/store/data/1/" | sed -n 's/^log-\(.......\)\.log$/\1/p' | tail -1)

# measure NAME COMMAND...: prints "NAME wall cpu peak_MB" of one run.
measure() {
  local name=$1; shift
  /usr/bin/time -f "%e %U %S %M" -o "$work/t" "$@" >/dev/null
  read -r wall user sys peak <"$work/t"
  awk -v n="$name" -v w="$wall" -v u="$user" -v s="$sys" -v p="$peak" \
    'BEGIN { printf "%-10s wall %7.2f s  cpu %7.2f s  peak %7.1f MB\n", n, w, u + s, p / 1024 }'
  echo "$wall" >"$work/$name.wall"
}
echo "$months months of $per_month lines; selection: path=$path"
measure months "$batch" analyse --root "$work/store" --all --countries none
measure selection "$batch" analyse --root "$work/store" --countries none --from 2025-01-01 \
  --to "$last-31" --where "path=$path" --out "$work/sel"
awk -v a="$(cat "$work/months.wall")" -v b="$(cat "$work/selection.wall")" \
  'BEGIN { printf "selection / months: %.2f (target: 3 or less)\n", (a > 0 ? b / a : 0) }'
