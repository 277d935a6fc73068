#!/usr/bin/env bash
# RunContained.sh SECONDS WINE REAPER COMMAND...: runs one test command so that a process it
# leaves behind can neither keep CTest waiting nor outlive the test. Every process that Wine
# starts gets its parent's Unix output, so an orphan of a test would hold CTest's pipe open: the
# command writes to a file instead, printed once it has ended. The command gets SECONDS (then it
# is stopped and fails); afterwards REAPER (zkreap.exe, run with WINE) ends whatever is still
# alive in the prefix apart from Wine's own services. The command's exit code is kept.
set -u
seconds=$1 wine=$2 reaper=$3
shift 3
output=$(mktemp)
trap 'rm -f "$output"' EXIT
timeout -k 10 "$seconds" "$@" </dev/null >"$output" 2>&1
code=$?
"$wine" "$reaper" </dev/null >>"$output" 2>&1
cat "$output"
# timeout's own codes: stopped when asked (124), or by force (137).
case $code in 124 | 137) echo "RunContained: stopped after $seconds s: $*" ;; esac
exit "$code"
