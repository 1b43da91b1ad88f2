# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the export test and benchmark: starts Debian's clickhouse-server
# as an ordinary process on 127.0.0.1 (free ports), with its configuration and
# data in WORK, and stops it when the sourcing script exits.
# start_clickhouse WORK sets clickhouse_url; q SQL runs a statement.
start_clickhouse() {
  local work=$1 server http tcp
  server=$(command -v clickhouse-server) || return 1
  mkdir -p "$work"
  read -r http tcp < <(python3 -c '
import socket
s = [socket.socket() for _ in range(2)]
for x in s: x.bind(("127.0.0.1", 0))
print(*[x.getsockname()[1] for x in s])')
  cat >"$work/config.xml" <<XML
<yandex>
  <logger><level>warning</level><log>$work/server.log</log><errorlog>$work/error.log</errorlog></logger>
  <http_port>$http</http_port><tcp_port>$tcp</tcp_port><listen_host>127.0.0.1</listen_host>
  <path>$work/data/</path><tmp_path>$work/tmp/</tmp_path><user_files_path>$work/files/</user_files_path>
  <format_schema_path>$work/schema/</format_schema_path>
  <users_config>users.xml</users_config><default_profile>default</default_profile>
  <default_database>default</default_database><timezone>UTC</timezone>
  <mark_cache_size>67108864</mark_cache_size><max_concurrent_queries>20</max_concurrent_queries>
</yandex>
XML
  cat >"$work/users.xml" <<XML
<yandex>
  <profiles><default><max_memory_usage>1000000000</max_memory_usage></default></profiles>
  <users><default><password></password><networks><ip>127.0.0.1</ip></networks>
    <profile>default</profile><quota>default</quota></default></users>
  <quotas><default></default></quotas>
</yandex>
XML
  "$server" --config-file="$work/config.xml" >"$work/console.log" 2>&1 &
  clickhouse_pid=$!
  trap 'kill "$clickhouse_pid" 2>/dev/null; wait "$clickhouse_pid" 2>/dev/null || true' EXIT
  clickhouse_url="http://127.0.0.1:$http/"
  for _ in $(seq 150); do q "SELECT 1" >/dev/null 2>&1 && return 0; sleep 0.2; done
  echo "clickhouse-server did not start; see $work/error.log" >&2
  return 1
}

q() { curl -sS --fail-with-body "$clickhouse_url" --data-binary "$1"; }
