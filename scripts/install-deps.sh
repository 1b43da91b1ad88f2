#!/usr/bin/env bash
# Installs, from Debian's packages, whatever the build and the tests need and is missing.
set -euo pipefail
pkgs=(g++ cmake make ninja-build pkg-config qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl-dev libarchive-dev
      libgtest-dev libgmock-dev python3 xdg-utils clang-format)
# The validators of the installed desktop files, and what cpack -G DEB runs.
pkgs+=(desktop-file-utils appstream dpkg-dev file)
# Other log analysers that bench/peers.sh runs side by side, and what times them.
pkgs+=(webalizer goaccess time)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
echo "Installing: ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
