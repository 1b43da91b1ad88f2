#!/usr/bin/env bash
# Prints the path of a generated log, making it first when it is not cached.
# usage: scripts/bench-data.sh LINES FORMAT MONTHS SEED [more genlog options]
# The cache is $TRAFIKON_BENCH_DATA (default /tmp/trafikon-bench-data); a lock
# keeps two callers from generating the same file at once.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
genlog="${TRAFIKON_GENLOG:-$here/../../shared/tools/genlog.py}"
[ -f "$genlog" ] || genlog="$here/../../../shared/tools/genlog.py"
lines=$1 format=$2 months=$3 seed=$4
shift 4
cache="${TRAFIKON_BENCH_DATA:-/tmp/trafikon-bench-data}"
mkdir -p "$cache"
extra=$(printf '%s' "$*" | tr ' /' '__')
out="$cache/genlog-$lines-$format-$months-$seed${extra:+-$extra}.log"
exec 9>"$out.lock"
flock 9
if [ ! -s "$out" ]; then
  python3 "$genlog" --lines "$lines" --format "$format" --months "$months" --seed "$seed" "$@" > "$out.part"
  mv "$out.part" "$out"
fi
echo "$out"
