#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package in build-deb/ as a distribution would: compiled
# and linked with the flags dpkg-buildflags gives (every hardening feature:
# fortified sources, stack protector, read-only relocations, immediate
# binding), installed under /usr, binaries stripped. Then checks it with
# lintian when lintian is installed. Prints the package's path last.
# usage: scripts/package.sh   (JOBS=N to build with N jobs, 2 by default)
set -euo pipefail
cd "$(dirname "$0")/.."
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cppflags=$(dpkg-buildflags --get CPPFLAGS)
cxxflags=$(dpkg-buildflags --get CXXFLAGS)
ldflags=$(dpkg-buildflags --get LDFLAGS)
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
# Build type None: the flags are dpkg-buildflags' alone.
cmake -S . -B build-deb -G Ninja -DCMAKE_BUILD_TYPE=None -DCMAKE_INSTALL_PREFIX=/usr \
  -DTRAFIKON_BUILD_TESTS=OFF -DTRAFIKON_BUILD_BENCH=OFF "${launcher[@]}" \
  "-DCMAKE_CXX_FLAGS=$cppflags $cxxflags" "-DCMAKE_EXE_LINKER_FLAGS=$ldflags" >/dev/null
cmake --build build-deb -j"${JOBS:-2}"
rm -f build-deb/trafikon_*.deb
(cd build-deb && cpack -G DEB >/dev/null)
deb=$(ls build-deb/trafikon_*.deb)
if command -v lintian >/dev/null; then
  lintian --info --display-info "$deb" || true
else
  echo "lintian is not installed: the package was not checked" >&2
fi
echo "$deb"
