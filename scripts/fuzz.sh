#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets of fuzz/ with clang (ASan + UBSan) in
# build-fuzz/ and runs each for a number of seconds, one after the other.
#
# usage: scripts/fuzz.sh [SECONDS] [TARGET...]
#   SECONDS  run time of each target (default 60)
#   TARGET   split_line tagged_record decode_query month_files analyse_month
#            detect_format compressed_input w3c_rewrite report_writers
#            select_lines country_database site_lists
#            (default: all)
#
# The growing corpus of each target stays in build-fuzz/corpus/<target>/ (the
# seeds made at build time are in build-fuzz/seeds/<target>/); crashing,
# hanging and leaking inputs go to build-fuzz/artifacts/, each run's log to
# build-fuzz/logs/<target>.log. The last lines printed sum up each target:
# executions, corpus size, and the findings.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift || true
all_targets=(split_line tagged_record decode_query month_files analyse_month detect_format
  compressed_input w3c_rewrite report_writers select_lines country_database site_lists)
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=("${all_targets[@]}")

# clang with its libFuzzer runtime; not part of the normal install.
if ! command -v clang++ >/dev/null || ! ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1; then
  echo "Installing clang and its libFuzzer runtime" >&2
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  $sudo_cmd apt-get install -y -qq clang libclang-rt-14-dev >/dev/null
fi

cmake -S fuzz -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build-fuzz --parallel "$(nproc)"

mkdir -p build-fuzz/artifacts build-fuzz/logs
summary=()
status=0
for t in "${targets[@]}"; do
  exe=build-fuzz/fuzz_$t
  [ -x "$exe" ] || { echo "no fuzz target $t" >&2; exit 2; }
  mkdir -p "build-fuzz/corpus/$t"
  log="build-fuzz/logs/$t.log"
  echo "== $t: ${seconds}s" >&2
  set +e
  "$exe" "build-fuzz/corpus/$t" "build-fuzz/seeds/$t" \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
    -artifact_prefix="build-fuzz/artifacts/$t-" -print_final_stats=1 >"$log" 2>&1
  rc=$?
  set -e
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | awk '{s+=$2} END {print s+0}')
  corpus=$(find "build-fuzz/corpus/$t" -type f | wc -l)
  if [ $rc -eq 0 ]; then
    result="no finding"
  else
    result="FINDING (exit $rc): $(grep -m1 -E 'ERROR: |fuzz check failed|runtime error' "$log" || true)"
    status=1
  fi
  summary+=("$t: $runs executions in ${seconds}s, corpus $corpus inputs, $result")
done
# A target stopped by a finding leaves its scratch store behind; those of
# targets still running (another run of this script) stay.
for d in /dev/shm/trafikon-fuzz-* /tmp/trafikon-fuzz-*; do
  [ -e "$d" ] || continue
  kill -0 "${d##*-}" 2>/dev/null || rm -rf "$d"
done
printf '%s\n' "${summary[@]}"
exit $status
