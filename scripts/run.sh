#!/usr/bin/env bash
# Runs Zelkor: installs what is missing, builds, installs the program and its sample test
# libraries into a private Wine prefix (kept between runs, like a user's machine) and starts it.
# With a display ($DISPLAY) the wizard opens there. Without one it runs on a virtual display,
# walks a Full session unattended, saves a picture of every window, and prints and faxes the log.
# The demo machine has two printers, "ZelkorTest" and Ravelin's "Ravelin", queues of a private CUPS
# scheduler (scripts/with-cups.sh), and the fax-product simulator as Ravelin 8.00 in C:\Ravelin.
set -u
. "$(dirname "$0")/common.sh"

bash "$ROOT/scripts/install-deps.sh" || exit 1
mkdir -p "$BUILD"
log "building"
build i686 || exit 1
build x86_64 || exit 1

trap 'stop_prefix; stop_display' EXIT
headless=
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
    headless=1
    start_display || exit 1
fi
make_prefix "$BUILD/wineprefix-run"
bash "$ROOT/scripts/seed-demo.sh" || exit 1
install_program i686 Zelkor
install_program x86_64 Zelkor64
# The 32-bit program is the product; machines whose kernel cannot start 32-bit programs run
# its 64-bit twin instead.
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
    WINE=wine HOME_DIR='C:\Zelkor' ARCH=i686
else
    WINE="$WINE64" HOME_DIR='C:\Zelkor64' ARCH=x86_64
    log "this machine cannot run 32-bit programs: running the 64-bit build"
fi

install_fax_product "$ARCH"
received="$WINEPREFIX/drive_c/Ravelin/received.txt"
cups=(bash "$ROOT/scripts/with-cups.sh" "$BUILD/cups-demo")

# Where the printed pages and the fax went: a PDF of every print job, and what the fax product got.
show_output() {
    local printed="$BUILD/printed" job
    rm -rf "$printed" && mkdir -p "$printed"
    for job in "$BUILD/cups-demo/spool"/d*; do
        [ -e "$job" ] || continue
        ps2pdf "$job" "$printed/$(basename "$job").pdf" 2>/dev/null
    done
    log "print jobs (PostScript in $BUILD/cups-demo/spool, as PDF in $printed):"
    ls -1 "$printed"/*.pdf 2>/dev/null || echo "none"
    log "what the fax product received ($received):"
    tr -d '\r' <"$received" 2>/dev/null || echo "nothing"
}

if [ -z "$headless" ]; then
    log "starting Zelkor on $DISPLAY"
    (cd "$WINEPREFIX/drive_c/${HOME_DIR#C:\\}" && "${cups[@]}" "$WINE" Zelkor.exe)
    show_output
    exit 0
fi

shots="$BUILD/screenshots"
rm -rf "$shots" && mkdir -p "$shots"
log "no display: walking a Full session on the virtual display $DISPLAY"
# Beside Zelkor.exe, where the runtime DLLs that it needs as well are installed.
cp "$BUILD/$ARCH/tools/zkdrive.exe" "$WINEPREFIX/drive_c/${HOME_DIR#C:\\}/"
"${cups[@]}" "$WINE" "$HOME_DIR\\zkdrive.exe" "$HOME_DIR" 'C:\zelkor-screenshots' 2>&1 | tr -d '\r'
status=${PIPESTATUS[0]}
show_output
for bmp in "$WINEPREFIX/drive_c/zelkor-screenshots"/*.bmp; do
    [ -e "$bmp" ] || continue
    convert "$bmp" "$shots/$(basename "${bmp%.bmp}").png" && rm -f "$bmp"
done
log "screenshots of every window shown:"
ls -1 "$shots"/*.png 2>/dev/null
# The demo is only whole when the fax reached the fax product: say so loudly when it did not.
if ! grep -q 'recipient(' "$received" 2>/dev/null; then
    echo "run: FAILED: the fax did not reach the fax product (nothing in $received)" >&2
    status=1
fi
exit "$status"
