#!/usr/bin/env bash
# LeftBehind.sh WINE REAPER ORPHANER: a test program that leaves a never-ending child behind,
# read through a pipe as CTest reads it, must end as soon as the program does, with the
# program's exit code, and its child must be gone afterwards.
set -u
wine=$1 reaper=$2 orphaner=$3
token="orphan-$$-$(date +%s%N)"
begun=$(date +%s)
# The reader gives up after a minute: an orphan holding the pipe shows as the wait.
runner="$(dirname "$0")/RunContained.sh"
output=$( (bash "$runner" 60 "$wine" "$reaper" "$wine" "$orphaner" "$token"; echo "exit code $?") 2>&1 | timeout 60 cat)
seconds=$(( $(date +%s) - begun ))
echo "$output"
failed=0
[ "$seconds" -lt 30 ] || { echo "FAILED: the pipe was held for $seconds s"; failed=1; }
grep -qx "exit code 3" <<<"$output" || { echo "FAILED: the program's exit code was not kept"; failed=1; }
if pgrep -f "$token wait" >/dev/null; then
    echo "FAILED: the orphan outlived the test"
    kill $(pgrep -f "$token wait")  # only this run's orphan: the token is its own
    failed=1
fi
[ "$failed" -eq 0 ] && echo "the orphan held nothing and was ended after $seconds s"
exit "$failed"
