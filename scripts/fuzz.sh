#!/usr/bin/env bash
# Fuzzes the resource parsers for 60 seconds: builds the native fuzz target (clang++, libFuzzer,
# ASan, UBSan) into build/fuzz, makes the seeds from the program's own resources and the fuzz
# seeds, runs on that corpus and prints executions and coverage at the end.
set -u
. "$(dirname "$0")/common.sh"
OUT="$BUILD/fuzz"
SECONDS_TO_RUN=${FUZZ_SECONDS:-60}
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

log "fuzzing for $SECONDS_TO_RUN s"
# New inputs go into corpus/ (kept between runs); the seeds are read as well.
# A failing input is saved as build/fuzz/crash-*; run fuzz_resources on it to reproduce.
"$OUT/fuzz_resources" -max_total_time="$SECONDS_TO_RUN" -print_final_stats=1 -artifact_prefix="$OUT/" \
    "$OUT/corpus" "$OUT/seeds" >"$OUT/fuzz.log" 2>&1
status=$?
if [ $status -ne 0 ]; then
    grep -E -A30 'ERROR|runtime error|deadly signal' "$OUT/fuzz.log" | head -40
    grep -E 'SUMMARY|Test unit written' "$OUT/fuzz.log"
    echo "fuzz: FAILED (exit $status), full output in $OUT/fuzz.log"
    exit 1
fi
grep -E '^#[0-9]+[[:space:]]+DONE' "$OUT/fuzz.log" | tail -1
executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$OUT/fuzz.log")
coverage=$(grep -E '^#[0-9]+[[:space:]]+DONE' "$OUT/fuzz.log" | tail -1 | sed -n 's/.* cov: \([0-9]*\).* ft: \([0-9]*\).*/\1 edges, \2 features/p')
echo "fuzz: $executions executions, coverage $coverage, no failures"
