#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds Trafikon and starts it. Without a display
# it stops before installing anything and says what works without one.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  cat >&2 <<'MSG'
No display: the desktop program needs one (DISPLAY or WAYLAND_DISPLAY is not set).
Without a display, build and use the headless driver instead:
  bash scripts/install-deps.sh && bash scripts/build.sh
  build/trafikon-batch --help
or run every test with: bash scripts/test.sh
MSG
  exit 1
fi
bash scripts/install-deps.sh
bash scripts/build.sh
exec build/trafikon
