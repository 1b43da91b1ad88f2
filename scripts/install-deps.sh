#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs, from Debian's packages, whatever the build and the tests need and is missing.
set -euo pipefail
pkgs=(g++ cmake make ninja-build pkg-config qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl-dev libarchive-dev
      libgtest-dev libgmock-dev nlohmann-json3-dev python3 xdg-utils clang-format)
# The validators of the installed desktop files, and what cpack -G DEB runs.
pkgs+=(desktop-file-utils appstream dpkg-dev file)
# Countries: the database reader, the country names, the writer of the tests'
# small database, and npm that fetches the shipped database.
pkgs+=(libmaxminddb-dev iso-codes libmaxmind-db-writer-perl openssl)
# (A nodejs that carries its own npm conflicts with Debian's npm package.)
command -v npm >/dev/null || pkgs+=(npm)
# Other log analysers that bench/peers.sh runs side by side, and what times them.
pkgs+=(webalizer goaccess awstats time)
# The export: zlib compresses what it sends; the export test and bench run a
# local ClickHouse server as an ordinary process (its service is not used).
pkgs+=(zlib1g-dev clickhouse-server curl)
# The months chart of the synthesis window.
pkgs+=(qt6-charts-dev libqt6opengl6-dev)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
  # The tests start their own ClickHouse server; the system service it came with stays off.
  if [[ " ${missing[*]} " == *" clickhouse-server "* ]] && command -v systemctl >/dev/null; then
    $SUDO systemctl disable --now clickhouse-server >/dev/null 2>&1 || true
  fi
fi

# The country database the program ships (kept out of git, in geodata/):
# ip-location-db's country database at a pinned version, its package checked
# against the integrity hash written here, which the registry must also give.
geo_pkg="@ip-location-db/geo-whois-asn-country-mmdb@2.3.2026061719"
geo_integrity="sha512-xemBDNQl4mCYDuVbqe3jKGKsVDykZGkfvebhtOh/3VGLadq8vsp7t7ontpMUt3hH7sAGT0eLDyJ99SV+0waxZg=="
geo_dir="$(cd "$(dirname "$0")/.." && pwd)/geodata"
if [ ! -f "$geo_dir/geo-whois-asn-country.mmdb" ]; then
  listed=$(npm view "$geo_pkg" dist.integrity)
  if [ "$listed" != "$geo_integrity" ]; then
    echo "install-deps: the registry gives another integrity hash for $geo_pkg: $listed" >&2
    exit 1
  fi
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  (cd "$work" && npm pack --silent "$geo_pkg" >/dev/null)
  tarball=$(ls "$work"/*.tgz)
  got="sha512-$(openssl dgst -sha512 -binary "$tarball" | base64 -w0)"
  if [ "$got" != "$geo_integrity" ]; then
    echo "install-deps: $tarball does not match its integrity hash" >&2
    exit 1
  fi
  tar -xzf "$tarball" -C "$work"
  mkdir -p "$geo_dir"
  cp "$work/package/README.md" "$geo_dir/README.md"
  cp "$work/package/NRO_LICENSE" "$geo_dir/NRO_LICENSE"
  cp "$work/package/geo-whois-asn-country.mmdb" "$geo_dir/geo-whois-asn-country.mmdb"
  echo "Country database in $geo_dir"
fi
