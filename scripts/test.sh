#!/usr/bin/env bash
# Builds and runs every test: the unit tests (which include the Windows DLL
# under Wine), then the unit tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh

jobs=$(nproc)
cmake --preset debug >/dev/null
cmake --build --preset debug -j"$jobs"

cmake --preset sanitize >/dev/null
cmake --build --preset sanitize -j"$jobs"
# The Wine suites test the Windows build, which the sanitizers do not reach.
ctest --preset sanitize -j"$jobs" -LE wine

# The fuzz targets (clang with libFuzzer), each for a bounded time.
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j"$jobs" --target version_fuzz
ctest --preset fuzz -L fuzz

# Both Windows DLLs and the SDK archive under Wine, then what they reported:
# per architecture (win64, win32 with its route) passed, FAILED, or SKIPPED
# with the reason.
status=0
ctest --preset debug -L wine || status=$?
grep -h '^wine tests:' build/debug/Testing/Temporary/LastTest.log || true
[ "$status" -eq 0 ] || exit "$status"

ctest --preset debug -j"$jobs" -LE wine
