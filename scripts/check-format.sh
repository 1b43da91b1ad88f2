#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails, listing the places, when a C++ file of src/, tests/, bench/ or fuzz/
# differs from what clang-format makes of it with the repository's .clang-format.
# Fix with: clang-format -i FILE...
set -euo pipefail
cd "$(dirname "$0")/.."
find src tests bench fuzz \( -name '*.cpp' -o -name '*.h' \) -print0 |
  xargs -0 clang-format --dry-run --Werror
echo "formatting: ok"
