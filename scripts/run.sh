#!/usr/bin/env bash
# Runs Zelkor: installs what is missing, builds, installs the program and its sample test
# libraries into a private Wine prefix (kept between runs, like a user's machine) and starts it.
# With a display ($DISPLAY) the wizard opens there. Without one it runs on a virtual display,
# walks a Typical session unattended, saves a picture of every window and prints the log.
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
[ -x "$ROOT/scripts/seed-demo.sh" ] && bash "$ROOT/scripts/seed-demo.sh"
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

if [ -z "$headless" ]; then
    log "starting Zelkor on $DISPLAY"
    (cd "$WINEPREFIX/drive_c/${HOME_DIR#C:\\}" && "$WINE" Zelkor.exe)
    exit 0
fi

shots="$BUILD/screenshots"
rm -rf "$shots" && mkdir -p "$shots"
log "no display: walking a Typical session on the virtual display $DISPLAY"
# Beside Zelkor.exe, where the runtime DLLs that it needs as well are installed.
cp "$BUILD/$ARCH/tools/zkdrive.exe" "$WINEPREFIX/drive_c/${HOME_DIR#C:\\}/"
"$WINE" "$HOME_DIR\\zkdrive.exe" "$HOME_DIR" 'C:\zelkor-screenshots' 2>&1 | tr -d '\r'
status=${PIPESTATUS[0]}
for bmp in "$WINEPREFIX/drive_c/zelkor-screenshots"/*.bmp; do
    [ -e "$bmp" ] || continue
    convert "$bmp" "$shots/$(basename "${bmp%.bmp}").png" && rm -f "$bmp"
done
log "screenshots of every window shown:"
ls -1 "$shots"/*.png 2>/dev/null
exit "$status"
