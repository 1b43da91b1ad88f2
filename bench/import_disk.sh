#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The import of a log against a copy of it flushed to disk, on the same disk
# in the same run: `cp LOG DIR/ && sync` against `trafikon-batch import` of
# LOG into a fresh store, in turn, three rounds, each run after a `sync` so
# that earlier dirty pages do not count. Prints the median wall time,
# processor time (user + system) and peak memory of each, the ratio of wall
# times, and how long a `sync` right after the import still took (an
# import that makes its lines durable leaves nothing). Several import
# programs may be given (a build before a change and after it): they run in
# the same rounds. Needs room on the disk for one copy of LOG and one store.
# Not a test: run it by hand after a build.
#
# usage: bench/import_disk.sh LOG [BATCH...]
#   LOG    the access log (combined format, "h l u t r s b R U")
#   BATCH  trafikon-batch programs to measure (default: build/trafikon-batch)
#   ROUNDS (environment) how many rounds, 3 by default
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
[ $# -ge 1 ] || { sed -n 3,17p "$0" | sed 's/^# \{0,1\}//' >&2; exit 2; }
log="$(realpath "$1")"
shift
batches=("$@")
[ ${#batches[@]} -gt 0 ] || batches=("$here/build/trafikon-batch")
for b in "${batches[@]}"; do
  [ -x "$b" ] || { echo "import_disk.sh: no program $b (build first)" >&2; exit 1; }
done
command -v /usr/bin/time >/dev/null || { echo "import_disk.sh: /usr/bin/time is missing" >&2; exit 1; }
work=$(mktemp -d "${TMPDIR:-/tmp}/trafikon-import-disk.XXXXXX")
trap 'rm -rf "$work"' EXIT
rounds="${ROUNDS:-3}"

# timed NAME COMMAND...: appends "wall cpu peak_kB" of the command to $work/NAME.
timed() {
  local name=$1
  shift
  if ! /usr/bin/time -f "%e %U %S %M" -o "$work/time" "$@" >/dev/null 2>"$work/err"; then
    echo "import_disk.sh: $name failed:" >&2; tail -n5 "$work/err" >&2; exit 1
  fi
  awk '{printf "%s %.2f %s\n", $1, $2 + $3, $4}' "$work/time" >>"$work/$name"
}
fresh() { rm -rf "$work/out"; mkdir "$work/out"; sync; }

for round in $(seq "$rounds"); do
  fresh
  # shellcheck disable=SC2016  # $1 and $2 are the inner shell's
  timed cp sh -c 'cp "$1" "$2/" && sync' sh "$log" "$work/out"
  for i in "${!batches[@]}"; do
    fresh
    timed "import$i" "${batches[$i]}" import --root "$work/out/root" \
      --format "h l u t r s b R U" -- "$log"
    timed "after$i" sync
  done
  echo "round $round of $rounds done" >&2
done
rm -rf "$work/out"

median() { cut -d' ' -f"$2" "$work/$1" | sort -g | sed -n "$(((rounds + 1) / 2))p"; }
echo "$log: $(($(stat -c %s "$log") / 1000000)) MB; median of $rounds rounds taken in turn;" \
  "$(nproc) cores, load $(cut -d' ' -f1 /proc/loadavg)"
printf '%-34s %8s %8s %9s %10s %12s\n' "" "wall s" "cpu s" "peak MB" "against cp" "sync after s"
row() {
  printf '%-34s %8s %8s %9s %10s %12s\n' "$1" "$(median "$2" 1)" "$(median "$2" 2)" \
    "$(median "$2" 3 | awk '{printf "%.1f", $1 / 1024}')" \
    "$(awk -v a="$(median "$2" 1)" -v b="$(median cp 1)" 'BEGIN{printf "%.2fx", a / b}')" "$3"
}
row "cp + sync" cp "-"
for i in "${!batches[@]}"; do
  name=${batches[$i]}
  [ ${#name} -le 27 ] || name="...${name: -24}"
  row "import $name" "import$i" "$(median "after$i" 1)"
done
