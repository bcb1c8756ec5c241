#!/usr/bin/env bash
# Builds and runs every test: the unit tests (which include the Windows DLL
# under Wine), then the unit tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer, then the fuzz targets for a bounded time each.
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

# libFuzzer targets (clang): 20 seconds each from their seed corpora.
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j"$jobs"
ctest --preset fuzz -j"$jobs"

# Both Windows DLLs and the SDK archive under Wine, then what they reported:
# per architecture (win64, win32 with its route) passed, FAILED, or SKIPPED
# with the reason.
status=0
ctest --preset debug -L wine || status=$?
grep -h '^wine tests:' build/debug/Testing/Temporary/LastTest.log || true
[ "$status" -eq 0 ] || exit "$status"

# Last, so that its summary closes the run: every other test of the debug build.
ctest --preset debug -j"$jobs" -LE wine
