#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Times the export of one generated month to a local ClickHouse server against
# sending the same rows from a file with curl, in the same run, and prints the
# export's peak memory (maximum resident set). The server is Debian's
# clickhouse-server, started for the run as an ordinary process. Not a test:
# run it by hand after a build.
#
# usage: bench/export.sh [LINES]   (default 1000000, one month)
# Everything is made in a new folder of $TMPDIR (or /tmp), deleted at the end.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
batch="${TRAFIKON_BATCH:-$here/build/trafikon-batch}"
lines="${1:-1000000}"
for tool in clickhouse-server curl /usr/bin/time; do
  command -v "$tool" >/dev/null || { echo "export.sh: $tool is missing (scripts/install-deps.sh)" >&2; exit 1; }
done
[ -x "$batch" ] || { echo "export.sh: build first ($batch)" >&2; exit 1; }
work=$(mktemp -d "${TMPDIR:-/tmp}/trafikon-export-bench.XXXXXX")
source "$here/tests/batch/clickhouse_server.sh"
start_clickhouse "$work/server"
trap 'kill "$clickhouse_pid" 2>/dev/null; wait "$clickhouse_pid" 2>/dev/null || true; rm -rf "$work"' EXIT

"$batch" generate --lines "$lines" --months 1 --start 2026-11 --seed 5 --out "$work/access.log"
"$batch" import --root "$work/store" --format auto "$work/access.log" >/dev/null
"$batch" export --root "$work/store" --tsv "$work/rows.tsv" --month 2026-11 >/dev/null
tail -n +2 "$work/rows.tsv" >"$work/rows.body" && rm "$work/rows.tsv"
gzip -1 -c "$work/rows.body" >"$work/rows.body.gz"
"$batch" export --root "$work/store" --clickhouse "$clickhouse_url" --create --month 2026-11 >/dev/null
q "CREATE TABLE curl_hits AS hits"
rows=$(wc -l <"$work/rows.body")

seconds() { python3 -c 'import sys,time; print(f"{time.time():.3f}")'; }
insert="${clickhouse_url}?query=INSERT%20INTO%20curl_hits%20FORMAT%20TabSeparated"
# Three rounds; each sends the month once each way.
for round in 1 2 3; do
  q "TRUNCATE TABLE curl_hits" 2>/dev/null || q "ALTER TABLE curl_hits DROP PARTITION (1, '2026-11')"
  t0=$(seconds)
  curl -sS --fail-with-body "$insert" --data-binary @"$work/rows.body" >/dev/null
  t1=$(seconds)
  q "ALTER TABLE curl_hits DROP PARTITION (1, '2026-11')"
  t2=$(seconds)
  curl -sS --fail-with-body -H 'Content-Encoding: gzip' "$insert&enable_http_compression=1" \
    --data-binary @"$work/rows.body.gz" >/dev/null
  t3=$(seconds)
  /usr/bin/time -f "%M" -o "$work/rss" "$batch" export --root "$work/store" \
    --clickhouse "$clickhouse_url" --month 2026-11 >/dev/null
  t4=$(seconds)
  python3 - "$rows" "$t0" "$t1" "$t2" "$t3" "$t4" "$(cat "$work/rss")" "$round" <<'PY'
import sys
rows, t0, t1, t2, t3, t4, rss, rnd = sys.argv[1:]
rows = int(rows)
plain, zipped, export = float(t1) - float(t0), float(t3) - float(t2), float(t4) - float(t3)
print(f"round {rnd}: {rows} rows; curl from file {plain:.2f} s ({rows / plain:,.0f} rows/s), "
      f"curl gzip file {zipped:.2f} s; export {export:.2f} s ({rows / export:,.0f} rows/s, "
      f"{export / plain:.2f}x the file), peak memory {int(rss) / 1024:.1f} MB")
PY
done
[ "$(q "SELECT count() FROM hits")" = "$rows" ] || echo "export.sh: the table does not hold $rows rows" >&2
