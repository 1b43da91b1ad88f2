#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The export against a real ClickHouse server: Debian's clickhouse-server run
# as an ordinary process on 127.0.0.1, with its own configuration and data
# under WORK, stopped at the end. Exit 77 (skipped) when it is not installed.
# usage: clickhouse_test.sh TRAFIKON_BATCH WORK DOCS_CLICKHOUSE_MD
set -euo pipefail
batch=$1 work=$2 docs=$3
server=$(command -v clickhouse-server || true)
if [ -z "$server" ]; then
  echo "SKIPPED: clickhouse-server is not installed (apt-get install clickhouse-server)"
  exit 77
fi
rm -rf "$work"
source "$(dirname "$0")/clickhouse_server.sh"
start_clickhouse "$work"
url=$clickhouse_url

fail() { echo "FAIL: $*"; exit 1; }

# Two months of a varied site, robots and /robots.txt among them.
root="$work/store"
"$batch" generate --lines 40000 --months 2 --start 2026-10 --seed 11 --out "$work/access.log"
"$batch" import --root "$root" --format auto "$work/access.log" >/dev/null
"$batch" analyse --root "$root" >/dev/null
# Compressed as to a distant server (to this one the rows go as they are).
"$batch" export --root "$root" --clickhouse "$url" --create --all --compress gzip >"$work/export.txt"
grep -q "ENGINE = MergeTree" "$work/export.txt" || fail "--create printed no DDL"

# Rows, hits per status, per day (of the log's own time) and per host against
# the month's own results (the JSON report).
check_month() {
  local month=$1
  "$batch" report --root "$root" --month "$month" --json "$work/$month.json" >/dev/null
  q "SELECT 'rows', count(), sum(robot) FROM hits WHERE month = '$month' FORMAT TSV" >"$work/got.tsv"
  q "SELECT 'status', status, count() FROM hits WHERE month = '$month' GROUP BY status FORMAT TSV" >>"$work/got.tsv"
  q "SELECT 'day', toDayOfMonth(time + utc_offset * 60) AS d, count() FROM hits WHERE month = '$month' GROUP BY d FORMAT TSV" >>"$work/got.tsv"
  q "SELECT 'host', host, count() FROM hits WHERE month = '$month' GROUP BY host FORMAT TSV" >>"$work/got.tsv"
  q "SELECT 'visits', uniqExact(visit), 0 FROM hits WHERE month = '$month' FORMAT TSV" >>"$work/got.tsv"
  python3 - "$work/$month.json" "$work/got.tsv" <<'PY' || fail "$month: the rows differ from the month's results"
import collections, json, sys
report = json.load(open(sys.argv[1]))
got = collections.defaultdict(dict)
for line in open(sys.argv[2]):
    kind, key, *values = line.rstrip("\n").split("\t")
    got[kind][key] = [int(v) for v in values]
t = report["totals"]
problems = []
rows, robots = next(iter(got["rows"].items()))
if [int(rows)] + robots != [t["hits"], t["robot_hits"]]:
    problems.append(f"rows {got['rows']} against {t['hits']} hits, {t['robot_hits']} robots")
for s in report["status"]:
    if got["status"].get(s["name"], [0])[0] != s["hits"]:
        problems.append(f"status {s['name']}: {got['status'].get(s['name'])} against {s['hits']}")
for d in report["days"]:
    if d["hits"] and got["day"].get(str(d["day"]), [0])[0] != d["hits"]:
        problems.append(f"day {d['day']}: {got['day'].get(str(d['day']))} against {d['hits']}")
hosts = collections.Counter()
for h in report["hosts"]:
    hosts[h["name"]] += h["hits"]
if hosts != collections.Counter({k: v[0] for k, v in got["host"].items()}):
    problems.append("hits per host differ")
visits = report["visits"]["people"]["visits"] + report["visits"]["robots"]["visits"]
if int(next(iter(got["visits"]))) != visits:
    problems.append(f"visits {got['visits']} against {visits}")
if problems:
    print("\n".join(problems))
sys.exit(1 if problems else 0)
PY
}
months=$(q "SELECT DISTINCT month FROM hits WHERE month LIKE '2026-1_' ORDER BY month FORMAT TSV")
[ "$(echo $months)" = "2026-10 2026-11" ] || fail "months exported: $months"
for m in $months; do check_month "$m"; done
before=$(q "SELECT month, count(), sum(bytes) FROM hits GROUP BY month ORDER BY month FORMAT TSV")

# A month exported again replaces its rows.
"$batch" export --root "$root" --clickhouse "$url" --month 2026-11 >/dev/null
[ "$(q "SELECT month, count(), sum(bytes) FROM hits GROUP BY month ORDER BY month FORMAT TSV")" = "$before" ] ||
  fail "a second export changed the counts"

# An export killed between its blocks leaves the table as it was; a rerun
# gives the same counts.
"$batch" export --root "$root" --clickhouse "$url" --all --block-rows 100 --compress gzip >/dev/null &
pid=$!
for _ in $(seq 500); do
  [ "$(q "SELECT count() FROM hits_staging")" -gt 0 ] && break
done
kill -9 "$pid" 2>/dev/null || echo "note: the export ended before it was killed"
wait "$pid" 2>/dev/null || true
[ "$(q "SELECT month, count(), sum(bytes) FROM hits GROUP BY month ORDER BY month FORMAT TSV")" = "$before" ] ||
  fail "a killed export changed the table"
"$batch" export --root "$root" --clickhouse "$url" --all >/dev/null
[ "$(q "SELECT month, count(), sum(bytes) FROM hits GROUP BY month ORDER BY month FORMAT TSV")" = "$before" ] ||
  fail "the export after a killed one changed the counts"
[ "$(q "SELECT count() FROM hits_staging")" = 0 ] || fail "rows left in the staging table"

# The same rows as text: a header, then one line a hit.
"$batch" export --root "$root" --tsv "$work/hits.tsv" --month 2026-10 >/dev/null
head -1 "$work/hits.tsv" | grep -q "^site	time	utc_offset	host" || fail "TSV header"
[ "$(($(wc -l <"$work/hits.tsv") - 1))" = "$(q "SELECT count() FROM hits WHERE month = '2026-10'")" ] ||
  fail "TSV rows"

# A selection goes to a table of its own: its rows are the month's 404s.
"$batch" analyse --root "$root" --from 2026-10-01 --to 2026-10-31 --where status=404 \
  --out "$work/sel404" >/dev/null
"$batch" export --root "$root" --clickhouse "$url" --selection "$work/sel404" >/dev/null 2>&1 &&
  fail "a selection exported without --table"
"$batch" export --root "$root" --clickhouse "$url" --selection "$work/sel404" --table sel404 \
  --create >/dev/null
[ "$(q "SELECT count() FROM sel404")" = "$(q "SELECT count() FROM hits WHERE month = '2026-10' AND status = 404")" ] ||
  fail "selection rows"

# Every example query of the documentation runs (the cluster DDL needs a cluster).
python3 - "$docs" >"$work/queries.sql" <<'PY'
import re, sys
for block in re.findall(r"```sql\n(.*?)```", open(sys.argv[1]).read(), re.S):
    print(block.strip().rstrip(";") + "\0", end="")
PY
n=0
while IFS= read -r -d '' query; do
  q "$query" >/dev/null || fail "documented query: $query"
  n=$((n + 1))
done <"$work/queries.sql"
[ "$n" -ge 10 ] || fail "only $n documented queries"
echo "PASS: export checked against ClickHouse $(q "SELECT version()"), $n documented queries run"
