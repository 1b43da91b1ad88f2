#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Prints the path of a generated log, making it first when it is not cached.
# usage: scripts/bench-data.sh LINES FORMAT MONTHS SEED [more generator options]
# The generator is `trafikon-batch generate` ($TRAFIKON_BATCH, default
# build/trafikon-batch). The cache is $TRAFIKON_BENCH_DATA (default
# /tmp/trafikon-bench-data); a lock keeps two callers from generating the same
# file at once.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
batch="${TRAFIKON_BATCH:-$here/../build/trafikon-batch}"
lines=$1 format=$2 months=$3 seed=$4
shift 4
cache="${TRAFIKON_BENCH_DATA:-/tmp/trafikon-bench-data}"
mkdir -p "$cache"
extra=$(printf '%s' "$*" | tr ' /' '__')
# The generator's default mode is in the name: a cache made by an earlier
# generator (a uniform log) is never taken for a varied one.
out="$cache/generated-varied-$lines-$format-$months-$seed${extra:+-$extra}.log"
exec 9>"$out.lock"
flock 9
if [ ! -s "$out" ]; then
  "$batch" generate --out "$out.part" --lines "$lines" --format "$format" --months "$months" \
    --seed "$seed" "$@"
  mv "$out.part" "$out"
fi
echo "$out"
