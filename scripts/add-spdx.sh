#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Puts the licence line at the top of every tracked source file that lacks it
# (after the "#!" line of a script). Running it again changes nothing.
# cmake/CheckSpdx.cmake fails the tests when a file still lacks it.
set -euo pipefail
cd "$(dirname "$0")/.."
line_cpp='// SPDX-License-Identifier: GPL-3.0-or-later'
line_hash='# SPDX-License-Identifier: GPL-3.0-or-later'
changed=0
while IFS= read -r f; do
  case "$f" in
    *.cpp | *.h) tag=$line_cpp ;;
    *.cmake | */CMakeLists.txt | CMakeLists.txt | *.sh | *.py) tag=$line_hash ;;
    *) continue ;;
  esac
  [ -f "$f" ] || continue
  first=$(head -n 1 "$f")
  if [[ $first == '#!'* ]]; then
    [ "$(sed -n 2p "$f")" = "$tag" ] && continue
    { printf '%s\n%s\n' "$first" "$tag"; tail -n +2 "$f"; } >"$f.spdx"
  else
    [ "$first" = "$tag" ] && continue
    { printf '%s\n' "$tag"; cat "$f"; } >"$f.spdx"
  fi
  chmod --reference="$f" "$f.spdx"
  mv "$f.spdx" "$f"
  echo "added: $f"
  changed=$((changed + 1))
done < <(git ls-files -- src tests bench fuzz scripts cmake CMakeLists.txt)
echo "$changed file(s) given the licence line"
