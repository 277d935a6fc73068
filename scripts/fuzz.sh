#!/usr/bin/env bash
# Fuzzes the resource parsers, the same way every run: builds the native fuzz target (clang++,
# libFuzzer, ASan, UBSan) into build/fuzz, replays the regression inputs in tests/fuzz/regressions,
# then fuzzes a fresh corpus made from the program's own resources and the fuzz seeds with a
# fixed random seed and a fixed number of executions, and prints executions and coverage.
# An input that fails is kept in tests/fuzz/regressions: commit it with the fix.
set -u
. "$(dirname "$0")/common.sh"
OUT="$BUILD/fuzz"
REGRESSIONS="$ROOT/tests/fuzz/regressions"
RUNS=${FUZZ_RUNS:-1000000}
SEED=${FUZZ_SEED:-1}
# Nothing found by an earlier run steers this one.
rm -rf "$OUT/seeds" "$OUT/corpus" "$OUT"/crash-* "$OUT"/leak-* "$OUT"/timeout-* "$OUT"/oom-*
mkdir -p "$OUT/seeds" "$OUT/corpus"

if [ ! -f "$OUT/CMakeCache.txt" ]; then
    CXX=clang++ cmake -S "$ROOT/tests/fuzz" -B "$OUT" -DCMAKE_BUILD_TYPE=RelWithDebInfo >"$OUT/cmake.log" 2>&1 \
        || { cat "$OUT/cmake.log"; exit 1; }
fi
cmake --build "$OUT" -j "$(nproc)" >"$OUT/build.log" 2>&1 || { tail -40 "$OUT/build.log"; exit 1; }

# Every resource script with fuzzed types; a .rc added here becomes seeds too.
for rc in "$ROOT/resources/settings.rc" "$ROOT/tests/fuzz/seeds.rc" "$ROOT"/testlibs/*/*.rc \
          "$ROOT/tests/fixtures/libraries/Complete.rc"; do
    name=$(basename "$(dirname "$rc")")-$(basename "$rc" .rc)
    x86_64-w64-mingw32-windres -I"$ROOT" -I"$ROOT/sdk" -I"$ROOT/testlibs/common" -I"$ROOT/resources/images" \
        -i "$rc" -O res -o "$OUT/$name.res" || exit 1
done
"$OUT/make_seeds" "$OUT/seeds" "$OUT"/*.res || exit 1

failed() {  # LOG WHAT
    grep -E -A30 'ERROR|runtime error|deadly signal' "$1" | head -40
    grep -E 'SUMMARY|Test unit written' "$1"
    echo "fuzz: FAILED ($2), full output in $1"
    exit 1
}

# libFuzzer runs the files given to it once each and stops.
regressions=("$REGRESSIONS"/*)
log "replaying ${#regressions[@]} regression inputs"
"$OUT/fuzz_resources" "${regressions[@]}" >"$OUT/regressions.log" 2>&1 || failed "$OUT/regressions.log" "a regression input"

# Same inputs every run: a fixed seed and count, no reloading of the corpus on a timer, and no
# address randomisation (libFuzzer's table of recent comparisons is indexed by code address).
fixed=(setarch "$(uname -m)" -R)
"${fixed[@]}" true 2>/dev/null || fixed=()
log "fuzzing: $RUNS executions, seed $SEED"
"${fixed[@]}" "$OUT/fuzz_resources" -runs="$RUNS" -seed="$SEED" -reload=0 -print_final_stats=1 -artifact_prefix="$OUT/" \
    "$OUT/corpus" "$OUT/seeds" >"$OUT/fuzz.log" 2>&1
status=$?
if [ $status -ne 0 ]; then
    for input in "$OUT"/crash-* "$OUT"/leak-* "$OUT"/timeout-* "$OUT"/oom-*; do
        [ -e "$input" ] || continue
        cp "$input" "$REGRESSIONS/" && echo "kept as a regression input: tests/fuzz/regressions/$(basename "$input")"
    done
    failed "$OUT/fuzz.log" "exit $status"
fi
grep -E '^#[0-9]+[[:space:]]+DONE' "$OUT/fuzz.log" | tail -1
executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$OUT/fuzz.log")
coverage=$(grep -E '^#[0-9]+[[:space:]]+DONE' "$OUT/fuzz.log" | tail -1 | sed -n 's/.* cov: \([0-9]*\).* ft: \([0-9]*\).*/\1 edges, \2 features/p')
echo "fuzz: $executions executions, coverage $coverage, no failures"
