#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Feeds trafikon-batch inputs far beyond the usual and prints, for each run,
# its exit code, time and peak memory (maximum resident set from
# /usr/bin/time -v). Not a test: run it by hand after a build.
#
#   1. one 100 MB line (a request path of 100 MB) between ordinary lines:
#      imported and analysed;
#   2. a month of 1,000,000 distinct paths: imported and analysed;
#   3. a stored month of 5 GB, written straight into the store from a
#      generated log repeated, then analysed.
#
# usage: bench/oversized_input.sh [--skip-5gb] [WORK_DIR]
# Everything is made under WORK_DIR (default: a new folder in $TMPDIR or
# /tmp) and deleted at the end. The 5 GB case needs about 12 GB free there and
# is skipped with a message otherwise.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
skip5=0
if [ "${1:-}" = "--skip-5gb" ]; then skip5=1; shift; fi
batch="$here/build/trafikon-batch"
[ -x "$batch" ] || bash "$here/scripts/build.sh"

work=$(mktemp -d "${1:-${TMPDIR:-/tmp}}/trafikon-oversized.XXXXXX")
trap 'rm -rf "$work"' EXIT
format="h l u t r s b R U"
codes="hlutrsbRU"

# Runs a command under /usr/bin/time and prints one summary line.
measure() {
  local name=$1; shift
  local stats="$work/time.txt"
  set +e
  /usr/bin/time -v -o "$stats" "$@" >"$work/out.txt" 2>"$work/err.txt"
  local rc=$?
  set -e
  local rss secs
  rss=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$stats")
  secs=$(awk -F': ' '/Elapsed \(wall clock\)/ {print $2}' "$stats")
  local note
  if [ $rc -eq 0 ]; then note=$(tail -n1 "$work/out.txt"); else note=$(head -n1 "$work/err.txt"); fi
  printf '%-36s exit %d  wall %8s  peak %7.1f MB  %s\n' "$name" "$rc" "$secs" \
    "$(echo "$rss / 1024" | bc -l)" "$(printf '%s' "$note" | cut -c1-100)"
}

fresh_root() {
  rm -rf "$work/store"
  mkdir -p "$work/store"
}

echo "# oversized inputs, $(date -u +%FT%TZ), $(nproc) cores"

# 1. A 100 MB line among ordinary lines.
fresh_root
python3 - "$work/long.log" <<'PY'
import sys
with open(sys.argv[1], "wb") as f:
    ok = b'10.0.0.1 - - [01/Mar/2002:10:00:00 +0100] "GET /index.html HTTP/1.1" 200 512 "-" "Agent"\n'
    f.write(ok)
    f.write(b'10.0.0.2 - - [01/Mar/2002:10:00:01 +0100] "GET /')
    chunk = b"a" * (1 << 20)
    for _ in range(100):
        f.write(chunk)
    f.write(b' HTTP/1.1" 200 1 "-" "Agent"\n')
    f.write(ok.replace(b"10:00:00", b"10:00:02"))
PY
measure "100 MB line: import" "$batch" import --root "$work/store" --format "$format" "$work/long.log"
measure "100 MB line: analyse" "$batch" analyse --root "$work/store" --all
rm -f "$work/long.log"

# 2. A month of 1,000,000 distinct paths.
fresh_root
python3 - "$work/paths.log" <<'PY'
import sys
with open(sys.argv[1], "w") as f:
    for i in range(1_000_000):
        day = 1 + i * 31 // 1_000_000
        f.write('10.%d.%d.%d - - [%02d/Mar/2002:%02d:%02d:%02d +0100] "GET /p/%07d.html HTTP/1.1" '
                '200 %d "http://ref.example.com/q?s=%d" "Agent %d"\n'
                % (i >> 16 & 255, i >> 8 & 255, i & 255, day, i // 3600 % 24, i // 60 % 60,
                   i % 60, i, i % 5000, i, i % 1000))
PY
measure "1,000,000 distinct paths: import" "$batch" import --root "$work/store" --format "$format" "$work/paths.log"
measure "1,000,000 distinct paths: analyse" "$batch" analyse --root "$work/store" --all
rm -f "$work/paths.log"

# 3. A stored month of 5 GB.
if [ $skip5 -eq 1 ]; then
  echo "5 GB month: skipped (--skip-5gb)"
  exit 0
fi
free_kb=$(df -Pk "$work" | awk 'NR == 2 {print $4}')
if [ "$free_kb" -lt $((12 * 1024 * 1024)) ]; then
  echo "5 GB month: skipped, only $((free_kb / 1024 / 1024)) GB free in $work"
  exit 0
fi
fresh_root
site="$work/store/data/1"
mkdir -p "$site"
"$batch" generate --lines 400000 --format combined --months 1 --start 2002-03 --seed 9 \
  | sed 's/$/\r/' >"$work/piece.log"
piece=$(stat -c %s "$work/piece.log")
: >"$site/log-2002-03.log"
while [ "$(stat -c %s "$site/log-2002-03.log")" -lt $((5 * 1024 * 1024 * 1024)) ]; do
  cat "$work/piece.log" >>"$site/log-2002-03.log"
done
printf '%s\r\n' $(echo "$codes" | grep -o .) >"$site/format-2002-03.tfd"
rm -f "$work/piece.log"
echo "5 GB month: $(stat -c %s "$site/log-2002-03.log") bytes, $(($(stat -c %s "$site/log-2002-03.log") / piece)) copies of a $piece-byte piece"
measure "5 GB month: analyse" "$batch" analyse --root "$work/store" --all
ls -l "$site" | awk 'NR > 1 {s += $5} END {printf "result files and log: %.1f MB\n", s / 1048576}'
