#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Trafikon and every test with AddressSanitizer and
# UndefinedBehaviorSanitizer (TRAFIKON_SANITIZE) in build-asan/ and runs the
# whole test suite there. Any sanitizer report fails the test that caused it.
# Prints the time taken by the build and by the tests.
#
# usage: scripts/sanitize.sh [ctest options, e.g. -R CrashSafety]
set -euo pipefail
cd "$(dirname "$0")/.."

# Stop at the first error report, and look for leaks too. Qt's own libraries
# are not instrumented.
export ASAN_OPTIONS="${ASAN_OPTIONS:-abort_on_error=0:detect_leaks=1:strict_string_checks=1:check_initialization_order=1:detect_stack_use_after_return=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
export QT_QPA_PLATFORM=offscreen

start=$(date +%s)
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTRAFIKON_SANITIZE=ON \
  -DTRAFIKON_BUILD_BENCH=OFF >/dev/null
cmake --build build-asan --parallel "$(nproc)"
built=$(date +%s)
set +e
ctest --test-dir build-asan --output-on-failure --parallel "$(nproc)" --timeout 240 "$@"
rc=$?
set -e
done_at=$(date +%s)
echo "sanitizer build: $((built - start)) s, tests: $((done_at - built)) s"
exit $rc
