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

passed=0
failed=0
run_ctest() {  # DIR LABEL [ctest args]
    local dir=$1 label=$2
    shift 2
    log "$label"
    if (cd "$dir" && ctest --output-on-failure "$@"); then passed=$((passed + 1)); else failed=$((failed + 1)); fi
}
start=$(date +%s)
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
    ZELKOR_HOME='C:\Zelkor' run_ctest "$BUILD/i686" "i686: every test"
    ZELKOR_HOME='C:\Zelkor64' run_ctest "$BUILD/x86_64" "x86_64: every test"
else
    # Some kernels cannot start 32-bit Linux programs, so 32-bit Wine cannot run: the 32-bit
    # build is then checked without running it, and the 64-bit build runs every test.
    log "this machine cannot run 32-bit Wine: the i686 build gets its static checks only"
    ZELKOR_HOME='C:\Zelkor' run_ctest "$BUILD/i686" "i686: static checks" -L static
    ZELKOR_HOME='C:\Zelkor64' run_ctest "$BUILD/x86_64" "x86_64: every test"
fi
if [ -x "$ROOT/scripts/fuzz.sh" ]; then
    log "fuzzing the resource parsers"
    if bash "$ROOT/scripts/fuzz.sh"; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
fi
log "test suites: $(( $(date +%s) - start )) s"
echo "suites: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
