#!/usr/bin/env bash
# Builds the release and win64 presets, runs every benchmark and regenerates
# docs/performance.md with the run's date, machine and the ratio of each goal.
#
#   bench/run.sh           the full run: two to five minutes on two cores once
#                          the presets are built, five to ten more from scratch
#   ZS_BENCH_QUICK=1       short minimum times and one repetition, to try the
#                          script; the figures are then rough
#   ZS_BENCH_JOBS=n        parallel build jobs (default: nproc)
#
# Results (Google Benchmark JSON and console text) stay in
# build/release/bench/results. The programs run:
#   zavrin_bench           in four parts: the dynamic calls and the Collection
#                          fetches with their floors (the cheapest member,
#                          members doing nothing, the map folding case),
#                          repeated in a random interleaving; the
#                          Collection's adds and removals; and the rest
#   zavrin_startup_bench   process start-up, repeated
#   any other *_bench program in build/release (its rows are picked up by name)
#   variant_runtime_bench  (win64) under Wine, by bench/wine/run.sh
set -uo pipefail
cd "$(dirname "$0")/.."

JOBS=${ZS_BENCH_JOBS:-$(nproc)}
RESULTS=build/release/bench/results
BENCH=build/release/bench
STATUS=0
note() { echo "bench: $*" >&2; }
fail() { echo "bench: FAILED: $*" >&2; STATUS=1; }

if [ "${ZS_BENCH_QUICK:-0}" = 1 ]; then
  MIN_TIME=0.01 CALL_TIME=0.01 START_TIME=0.01 CALL_REPS=1 REPS=1
else
  MIN_TIME=0.2 CALL_TIME=0.1 START_TIME=0.3 CALL_REPS=9 REPS=5
fi

./scripts/install-deps.sh || exit 1
mkdir -p "$RESULTS"
rm -f "$RESULTS"/*.json "$RESULTS"/*.txt
python3 bench/report.py context >"$RESULTS/context.json" || exit 1

note "building the release preset"
{ cmake --preset release >/dev/null && cmake --build --preset release -j"$JOBS"; } \
  >"$RESULTS/build-release.txt" 2>&1 || { tail -30 "$RESULTS/build-release.txt"; exit 1; }
note "building the win64 benchmark"
{ cmake --preset win64 >/dev/null &&
  cmake --build --preset win64 -j"$JOBS" --target variant_runtime_bench; } \
  >"$RESULTS/build-win64.txt" 2>&1 || fail "the win64 build failed (see $RESULTS/build-win64.txt)"

# run <name> <program> <options...>: JSON to <name>.json, console to <name>.txt.
run() {
  local name=$1 program=$2
  shift 2
  note "running $name"
  "$program" --benchmark_out="$RESULTS/$name.json" --benchmark_out_format=json "$@" \
    >"$RESULTS/$name.txt" 2>&1 || fail "$name (see $RESULTS/$name.txt)"
}

CALLS='^BM_(BinToDec|DecToHex|Math_ATanH|Math_Inc|Stack_PushPop|Stack_Count|EmptyInc|EmptyPushPop)_'
FETCHES='^BM_(Collection|Map|FoldingMap|Vector)_Item'
CHANGES='^BM_(Collection|Map|Vector)_(Add|Remove)'
INTERLEAVED=--benchmark_enable_random_interleaving=true

run calls "$BENCH/zavrin_bench" --benchmark_filter="$CALLS" --benchmark_min_time="$CALL_TIME" \
  --benchmark_repetitions="$CALL_REPS" "$INTERLEAVED"
# Fetches from large containers wait on memory, which other work on the
# machine disturbs most: they are repeated like the calls.
run fetches "$BENCH/zavrin_bench" --benchmark_filter="$FETCHES" --benchmark_min_time="$MIN_TIME" \
  --benchmark_repetitions="$REPS" "$INTERLEAVED"
run collection "$BENCH/zavrin_bench" --benchmark_filter="$CHANGES" --benchmark_min_time="$MIN_TIME"
run library "$BENCH/zavrin_bench" --benchmark_filter="-$CALLS|$FETCHES|$CHANGES" \
  --benchmark_min_time="$MIN_TIME"
run startup "$BENCH/zavrin_startup_bench" --benchmark_min_time="$START_TIME" \
  --benchmark_repetitions="$REPS" "$INTERLEAVED"

while IFS= read -r program; do
  run "$(basename "$program")" "$program" --benchmark_min_time="$MIN_TIME"
done < <(find build/release -type f -perm -u+x -name '*_bench' -not -path '*/CMakeFiles/*' \
           -not -name zavrin_bench -not -name zavrin_startup_bench | sort)

note "running the Variant benchmark under Wine"
bench/wine/run.sh build/win64/bench/wine/variant_runtime_bench.exe build/win64/bench/wine \
  "$RESULTS/variant_runtime.json" || fail "the Variant benchmark under Wine"

python3 bench/report.py render "$RESULTS" docs/performance.md \
  --notes bench/performance_notes.md || fail "writing docs/performance.md"
[ $STATUS = 0 ] && note "done" || note "done, with failures (see above)"
exit $STATUS
