#!/usr/bin/env bash
# Runs every test: unit, end-to-end and static tests of the 32-bit and the 64-bit program, and
# the resource parsers' fuzz run. Installs what is missing first.
set -u
. "$(dirname "$0")/common.sh"

bash "$ROOT/scripts/install-deps.sh" || exit 1
mkdir -p "$BUILD"
log "building i686 and x86_64"
build i686 || exit 1
build x86_64 || exit 1

log "preparing a fresh Wine prefix and a virtual display"
start_display || exit 1
trap 'stop_prefix; stop_display' EXIT
make_prefix "$BUILD/wineprefix-test" fresh
install_program i686 Zelkor
install_program x86_64 Zelkor64

# Test cases, not suites: each GoogleTest program's cases from the report it leaves beside it
# (tests/NAME-cases.xml), every other CTest test, and the fuzz run, as one case each.
passed=0
failed=0
skipped=0
count_cases() {  # DIR: the CTest run just made there
    local dir=$1 name status report p f s
    while read -r name status; do
        report="$dir/tests/$name-cases.xml"
        if [ "$status" != run ] && [ "$status" != fail ]; then
            skipped=$((skipped + 1))
            continue
        fi
        if [ -f "$report" ]; then
            read -r p f s < <(sed -n 's/.*<testsuite name="[^"]*" tests="\([0-9]*\)" failures="\([0-9]*\)" disabled="\([0-9]*\)" skipped="\([0-9]*\)".*/\1 \2 \3 \4/p' "$report" \
                | awk '{ t += $1; f += $2; s += $3 + $4 } END { print t - f - s, f + 0, s + 0 }')
            # A program that failed without a failing case ended early (a crash): one more failure.
            [ "$status" = fail ] && [ "$f" -eq 0 ] && f=1
            passed=$((passed + p)) failed=$((failed + f)) skipped=$((skipped + s))
        elif [ "$status" = run ]; then
            passed=$((passed + 1))
        else
            failed=$((failed + 1))
        fi
    done < <(sed -n 's/.*<testcase name="\([^"]*\)".* status="\([a-z]*\)".*/\1 \2/p' "$dir/ctest-cases.xml")
}
run_ctest() {  # DIR LABEL [ctest args]
    local dir=$1 label=$2
    shift 2
    log "$label"
    rm -f "$dir"/tests/*-cases.xml "$dir/ctest-cases.xml"
    (cd "$dir" && ctest --output-on-failure --output-junit "$dir/ctest-cases.xml" "$@")
    count_cases "$dir"
}
start=$(date +%s)
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
    gallery_arch=i686
    ZELKOR_HOME='C:\Zelkor' run_ctest "$BUILD/i686" "i686: every test"
    ZELKOR_HOME='C:\Zelkor64' run_ctest "$BUILD/x86_64" "x86_64: every test"
else
    gallery_arch=x86_64
    # Some kernels cannot start 32-bit Linux programs, so 32-bit Wine cannot run: the 32-bit
    # build is then checked without running it, and the 64-bit build runs every test.
    log "this machine cannot run 32-bit Wine: the i686 build gets its static checks only, and its"
    log "installer round trip is skipped (the x86_64 build's installer makes the round trip instead)"
    ZELKOR_HOME='C:\Zelkor' run_ctest "$BUILD/i686" "i686: static checks" -L static
    ZELKOR_HOME='C:\Zelkor64' run_ctest "$BUILD/x86_64" "x86_64: every test"
fi
if [ -x "$ROOT/scripts/fuzz.sh" ]; then
    log "fuzzing the resource parsers"
    if bash "$ROOT/scripts/fuzz.sh"; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
fi
# The gallery of every window (build/gallery): one test case, failed only when it could not run at
# all; a window that did not show is listed in its output.
if bash "$ROOT/scripts/gallery.sh" "$gallery_arch"; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
log "tests: $(( $(date +%s) - start )) s; $skipped test cases skipped"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
