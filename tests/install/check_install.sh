#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a scratch prefix and checks what a Linux desktop
# expects: both programs, the desktop entry and the AppStream metainfo (each
# passing its validator), the icon in the hicolor theme, the compressed manual
# pages and the licence.
# usage: check_install.sh BUILD_DIR   (exit 77: a validator is not installed)
set -euo pipefail
build=$1
for tool in desktop-file-validate appstreamcli; do
  command -v "$tool" >/dev/null || { echo "$tool is not installed (scripts/install-deps.sh)"; exit 77; }
done
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cmake --install "$build" --prefix "$stage" >/dev/null
id=org.trafikon.Trafikon
status=0
for f in bin/trafikon bin/trafikon-batch share/applications/$id.desktop \
         share/metainfo/$id.metainfo.xml share/icons/hicolor/scalable/apps/$id.svg \
         share/icons/hicolor/48x48/apps/$id.png share/icons/hicolor/256x256/apps/$id.png \
         share/man/man1/trafikon.1.gz share/man/man1/trafikon-batch.1.gz \
         share/doc/trafikon/copyright share/doc/trafikon/changelog.Debian.gz \
         lib/systemd/user/trafikon-watch.service lib/systemd/user/trafikon-watch.timer; do
  [ -s "$stage/$f" ] || { echo "not installed: $f"; status=1; }
done
desktop-file-validate "$stage/share/applications/$id.desktop" || status=1
appstreamcli validate --no-net "$stage/share/metainfo/$id.metainfo.xml" || status=1
# The whole usage first: grep -q stopping at its line must not cut the program's output.
usage=$("$stage/bin/trafikon-batch" --help)
grep -q "trafikon-batch generate" <<<"$usage" || { echo "no usage"; status=1; }
exit $status
