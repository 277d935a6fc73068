#!/usr/bin/env bash
# The fleet test: N demo machines run Zelkor unattended at once, each writing its log into one
# shared folder, as a logon script or a remote-execution tool would start it on many PCs. Each
# machine is a Wine prefix of its own with its own computer name; the last one also has a test
# library whose page never finishes. Checks that N logs arrive, that the hanging machine ends
# within its bound with exit code 1 and a log that names the test, and that the others exit 0.
#
#   bash scripts/fleet.sh [N] [ARCH]     N: 8 by default; ARCH: i686 where 32-bit Wine runs
#
# FLEET_TIMEOUT sets the page bound given to /timeout: (5 seconds). The prefixes live under
# build/fleet-ARCH/ (the first run boots a template prefix, later runs copy it).
set -u
. "$(dirname "$0")/common.sh"

n=${1:-8}
arch=${2:-}
if [ -z "$arch" ]; then
    if /usr/lib/wine/wine --version >/dev/null 2>&1; then arch=i686; else arch=x86_64; fi
fi
wine=$WINE64
[ "$arch" = i686 ] && wine=/usr/lib/wine/wine
timeout=${FLEET_TIMEOUT:-5}
grace=5       # the quit's wait for a task asked to stop, before it is stopped by force
allowance=90  # starting Wine in a cold prefix on a busy machine
fleet="$BUILD/fleet-$arch"
share="$fleet/share"

[ -f "$BUILD/$arch/Zelkor.exe" ] || build "$arch" || exit 1
if [ -z "${DISPLAY:-}" ]; then
    start_display || exit 1
    trap stop_display EXIT
fi

# One booted prefix, copied for every machine: the program files (1.3 GB, never written) as hard
# links, everything else (registry, INI files) as copies of the machine's own.
template="$fleet/template"
if [ ! -f "$template/system.reg" ]; then
    log "booting the template machine"
    rm -rf "$template"
    mkdir -p "$template"
    WINEPREFIX="$template" "$WINE64" wineboot -i >/dev/null 2>&1
    WINEPREFIX="$template" "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    WINEPREFIX="$template" wineserver -w
fi

rm -rf "$share" "$fleet"/machine*
mkdir -p "$share"
for i in $(seq "$n"); do
    machine="$fleet/machine$i"
    cp -al "$template" "$machine"
    find "$machine" -type f ! \( -iname '*.dll' -o -iname '*.exe' -o -iname '*.drv' -o -iname '*.sys' \
        -o -iname '*.nls' -o -iname '*.ocx' -o -iname '*.acm' -o -iname '*.cpl' -o -iname '*.tlb' -o -iname '*.vxd' \) \
        -exec sh -c 'for f; do cp -p "$f" "$f.own" && mv -f "$f.own" "$f"; done' sh {} +
    ln -s "$share" "$machine/dosdevices/s:"
    program="$machine/drive_c/Zelkor"
    mkdir -p "$program"
    cp "$BUILD/$arch/Zelkor.exe" "$BUILD/$arch"/*.dll "$BUILD/$arch"/testlibs/*.ZKL "$program/"
done
cp "$BUILD/$arch/tests/fixtures/e2e/Hanger.ZKL" "$fleet/machine$n/drive_c/Zelkor/"

# Each machine gets its own host name, which Wine takes as the computer name, where the system
# lets us (root: a UTS namespace); otherwise the computer name is set in the machine's registry.
named() {  # NAME COMMAND...: runs the command on the machine called NAME
    local name=$1
    shift
    if unshare --uts true 2>/dev/null; then
        unshare --uts sh -c 'hostname "$0" && exec "$@"' "$name" "$@"
    else
        "$WINE64" reg add 'HKLM\System\CurrentControlSet\Control\ComputerName\ComputerName' \
            /v ComputerName /d "$name" /f >/dev/null 2>&1
        "$@"
    fi
}

log "$n machines, $arch, /timeout:$timeout"
start=$(date +%s.%N)
for i in $(seq "$n"); do
    (
        export WINEPREFIX="$fleet/machine$i"
        begun=$(date +%s.%N)
        named "fleet-$i" "$wine" 'C:\Zelkor\Zelkor.exe' /auto '/log:S:\' "/timeout:$timeout" \
            >"$WINEPREFIX/output.txt" 2>&1
        echo $? >"$WINEPREFIX/exit"
        echo "$(date +%s.%N) - $begun" | bc >"$WINEPREFIX/seconds"
        wineserver -k >/dev/null 2>&1
    ) &
done
wait
elapsed=$(echo "$(date +%s.%N) - $start" | bc)

failed=0
fail() { echo "FAIL: $*"; failed=1; }
logs=$(find "$share" -maxdepth 1 -name '*.log' | wc -l)
[ "$logs" -eq "$n" ] || fail "$logs logs in the shared folder, not $n"
for i in $(seq "$n"); do
    machine="$fleet/machine$i"
    code=$(cat "$machine/exit" 2>/dev/null || echo none)
    seconds=$(cat "$machine/seconds" 2>/dev/null || echo 0)
    logfile=$(find "$share" -maxdepth 1 -iname "fleet-$i-*.log" | head -1)
    printf '  machine %d: exit code %s after %.1f s, %s\n' "$i" "$code" "$seconds" "${logfile:-no log}"
    [ -n "$logfile" ] || fail "machine $i wrote no log"
    if [ "$i" -eq "$n" ]; then
        [ "$code" = 1 ] || fail "the hanging machine ended with exit code $code, not 1"
        [ "$(echo "$seconds <= $timeout + $grace + $allowance" | bc)" = 1 ] || fail "the hanging machine took $seconds s"
        [ -n "$logfile" ] && ! grep -q 'the test "Never ends" of the library "Hanger" was still busy' "$logfile" &&
            fail "the hanging machine's log does not name the test"
    else
        [ "$code" = 0 ] || { fail "machine $i ended with exit code $code, not 0"; cat "$machine/output.txt"; }
    fi
done
printf 'fleet of %d machines: %.1f s\n' "$n" "$elapsed"
[ "$failed" -eq 0 ] && rm -rf "$fleet"/machine*
exit "$failed"
